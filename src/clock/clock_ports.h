#pragma once
// What the clock correction needs from the outside world. The Win32 adapters live in
// platform/win32/clock_win32.*; the tests have fakes and a POSIX socket adapter.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ports.h"

namespace timesync {

// An IPv4 address and a UDP port, both in host order.
struct Endpoint {
  std::uint32_t address = 0;
  std::uint16_t port = 0;
  friend bool operator==(const Endpoint&, const Endpoint&) = default;
};

struct Datagram {
  std::vector<unsigned char> bytes;  // the whole datagram, whatever its length
  Endpoint from;
};

enum class WaitResult { Readable, TimedOut, Failed };

// One UDP socket; destroying it closes it.
class IUdpSocket {
 public:
  virtual ~IUdpSocket() = default;
  virtual bool Bind(std::uint16_t localPort) = 0;  // on any local address
  // Fixes the peer, so that the socket layer drops datagrams from anyone else.
  virtual bool Connect(const Endpoint& server) = 0;
  virtual bool Send(const unsigned char* data, std::size_t size) = 0;
  virtual WaitResult WaitReadable(std::chrono::milliseconds timeout) = 0;  // select
  virtual std::optional<Datagram> Receive() = 0;  // one datagram; nothing on failure
};

class IUdpNetwork {
 public:
  virtual ~IUdpNetwork() = default;
  virtual bool Start() = 0;  // the socket library's start-up
  virtual std::unique_ptr<IUdpSocket> OpenSocket() = 0;  // nothing on failure
};

class INameLookup {
 public:
  virtual ~INameLookup() = default;
  // The first IPv4 address of a host name, in host order.
  virtual std::optional<std::uint32_t> Resolve(const std::string& host) = 0;
};

// The platform's SYSTEMTIME, local calendar time.
struct SystemTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;      // 1-12
  std::uint16_t dayOfWeek = 0;  // 0 = Sunday; ignored when the clock is set
  std::uint16_t day = 0;        // 1-31
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
  friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

class ILocalClock {
 public:
  virtual ~ILocalClock() = default;
  virtual std::int64_t NowUnixSeconds() = 0;  // time()
  // A monotonic clock for bounding the wait for the reply.
  virtual std::int64_t SteadyMilliseconds() = 0;
  // Local calendar time in the process's time zone (milliseconds 0); nothing when it has none.
  virtual std::optional<SystemTime> ToLocalCalendar(std::int64_t unixSeconds) = 0;
  virtual bool SetLocalTime(const SystemTime& time) = 0;
};

class IRandomSource {
 public:
  virtual ~IRandomSource() = default;
  // 64 bits from the platform's cryptographic generator; nothing when it fails.
  virtual std::optional<std::uint64_t> Random64() = 0;
};

struct ClockPorts {
  IUdpNetwork& network;
  INameLookup& names;
  ILocalClock& clock;
  IRandomSource& random;
  app::ISound& sound;
  app::IDialogs& dialogs;  // the bind-failure box
};

}  // namespace timesync
