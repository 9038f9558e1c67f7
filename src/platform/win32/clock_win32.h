#pragma once
// The clock correction's ports over Winsock, the system clock and the system's random generator.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/ports.h"
#include "clock/clock_ports.h"

namespace win32 {

// Winsock 1.1, started once per process on first use and cleaned up at process exit.
class Win32UdpNetwork : public timesync::IUdpNetwork {
 public:
  bool Start() override;
  std::unique_ptr<timesync::IUdpSocket> OpenSocket() override;
};

// GetAddrInfoW, IPv4 only; the CP932 host text is widened first.
class Win32NameLookup : public timesync::INameLookup {
 public:
  std::optional<std::uint32_t> Resolve(const std::string& host) override;
};

// time(), a monotonic tick count, the C library's local time and SetLocalTime.
class Win32LocalClock : public timesync::ILocalClock {
 public:
  std::int64_t NowUnixSeconds() override;
  std::int64_t SteadyMilliseconds() override;
  std::optional<timesync::SystemTime> ToLocalCalendar(std::int64_t unixSeconds) override;
  bool SetLocalTime(const timesync::SystemTime& time) override;
};

// BCryptGenRandom with the system's preferred generator.
class Win32RandomSource : public timesync::IRandomSource {
 public:
  std::optional<std::uint64_t> Random64() override;
};

// Everything CorrectClock needs, for the composition root; dialogs and sound are the program's.
class Win32ClockPorts {
 public:
  Win32ClockPorts(app::IDialogs& dialogs, app::ISound& sound);
  Win32ClockPorts(const Win32ClockPorts&) = delete;
  Win32ClockPorts& operator=(const Win32ClockPorts&) = delete;
  timesync::ClockPorts& Ports() { return ports_; }

 private:
  Win32UdpNetwork network_;
  Win32NameLookup names_;
  Win32LocalClock clock_;
  Win32RandomSource random_;
  timesync::ClockPorts ports_;
};

}  // namespace win32
