#pragma once
// The clock correction's socket and name-lookup ports over POSIX sockets, so that the tests can
// run the real exchange on the loopback interface.
#include "clock/clock_ports.h"

namespace clocktest {

class PosixUdpNetwork : public timesync::IUdpNetwork {
 public:
  bool Start() override { return true; }
  std::unique_ptr<timesync::IUdpSocket> OpenSocket() override;
};

class PosixNameLookup : public timesync::INameLookup {
 public:
  std::optional<std::uint32_t> Resolve(const std::string& host) override;
};

inline constexpr std::uint32_t Loopback = 0x7F000001;  // 127.0.0.1

}  // namespace clocktest
