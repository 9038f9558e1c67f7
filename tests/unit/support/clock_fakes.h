#pragma once
// Fakes of the clock correction's ports: a scripted socket, a clock with its own time zone, and
// recorders for the name lookup, the sound and the message box.
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ports.h"
#include "clock/clock_ports.h"
#include "support/ntp_reply.h"

namespace clocktest {

// Calendar fields of a Unix time shifted by a fixed zone offset, and back.
timesync::SystemTime CalendarOf(std::int64_t unixSeconds, std::int64_t zoneOffsetSeconds);
std::int64_t UnixOf(const timesync::SystemTime& local, std::int64_t zoneOffsetSeconds);

class FakeClock : public timesync::ILocalClock {
 public:
  std::optional<std::int64_t> fixedNow;  // otherwise the host's time plus nowOffset
  std::int64_t nowOffset = 0;
  bool realSteady = false;  // real sockets need the real monotonic clock
  std::int64_t steadyMs = 1000000;
  std::int64_t zoneOffsetSeconds = 9 * 3600;
  bool refuseCalendar = false;
  bool setResult = true;
  bool setMovesClock = true;  // a successful set changes what NowUnixSeconds reports
  std::vector<timesync::SystemTime> setTimes;  // every SetLocalTime call
  std::vector<std::int64_t> calendarRequests;

  std::int64_t NowUnixSeconds() override;
  std::int64_t SteadyMilliseconds() override;
  std::optional<timesync::SystemTime> ToLocalCalendar(std::int64_t unixSeconds) override;
  bool SetLocalTime(const timesync::SystemTime& time) override;
};

// One step of the scripted exchange after the request went out.
struct SocketStep {
  std::int64_t elapseMs = 0;  // time the wait takes on the fake clock
  timesync::WaitResult wait = timesync::WaitResult::Readable;
  // The datagram received after a readable wait, built from the request sent; nothing makes
  // the receive fail.
  std::function<std::optional<timesync::Datagram>(const std::vector<unsigned char>& request)>
      datagram;
};

struct SocketScript {
  bool bindResult = true;
  bool connectResult = true;
  bool sendResult = true;
  std::vector<SocketStep> steps;  // a wait past the last step times out
};

// What happened on the sockets of a FakeNetwork.
struct SocketLog {
  int opened = 0;
  int closed = 0;
  std::vector<std::uint16_t> bindPorts;
  std::vector<timesync::Endpoint> connects;
  std::vector<std::vector<unsigned char>> sent;
  std::vector<std::int64_t> waitTimeouts;
  int receives = 0;
};

class FakeNetwork : public timesync::IUdpNetwork {
 public:
  FakeNetwork(FakeClock& clock) : clock_(clock) {}
  bool startResult = true;
  bool openResult = true;
  int starts = 0;
  SocketScript script;
  SocketLog log;

  bool Start() override;
  std::unique_ptr<timesync::IUdpSocket> OpenSocket() override;

 private:
  FakeClock& clock_;
};

class FakeNames : public timesync::INameLookup {
 public:
  std::map<std::string, std::uint32_t> hosts;
  std::vector<std::string> lookups;
  std::optional<std::uint32_t> Resolve(const std::string& host) override;
};

class FakeRandom : public timesync::IRandomSource {
 public:
  std::optional<std::uint64_t> value = 0x0123456789ABCDEFull;
  std::optional<std::uint64_t> Random64() override { return value; }
};

class FakeSound : public app::ISound {
 public:
  struct Call {
    std::string fileName;
    unsigned flags;
  };
  std::vector<Call> calls;
  void Play(const std::string& fileName, unsigned flags) override {
    calls.push_back({fileName, flags});
  }
};

class FakeDialogs : public app::IDialogs {
 public:
  std::vector<std::string> messages;  // ShowMessage texts
  int MessageBox(const std::string&, const std::string&, unsigned) override { return app::IdOk; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ErrorBox(const std::string&) override {}
  std::optional<std::string> OpenFile(const app::OpenFileRequest&) override { return {}; }
  void Beep(unsigned) override {}
};

// A reply datagram from the given endpoint answering the request sent.
std::function<std::optional<timesync::Datagram>(const std::vector<unsigned char>&)> ReplyFrom(
    timesync::Endpoint from, ReplyPlan plan);

}  // namespace clocktest
