#include "support/clock_fakes.h"

#include <ctime>

#include "support/ntp_reply.h"

namespace clocktest {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

class FakeSocket : public timesync::IUdpSocket {
 public:
  FakeSocket(const SocketScript& script, SocketLog& log, FakeClock& clock)
      : script_(script), log_(log), clock_(clock) {}
  ~FakeSocket() override { ++log_.closed; }

  bool Bind(std::uint16_t localPort) override {
    log_.bindPorts.push_back(localPort);
    return script_.bindResult;
  }
  bool Connect(const timesync::Endpoint& server) override {
    log_.connects.push_back(server);
    return script_.connectResult;
  }
  bool Send(const unsigned char* data, std::size_t size) override {
    log_.sent.emplace_back(data, data + size);
    return script_.sendResult;
  }
  timesync::WaitResult WaitReadable(std::chrono::milliseconds timeout) override {
    log_.waitTimeouts.push_back(timeout.count());
    if (next_ >= script_.steps.size()) {
      clock_.steadyMs += timeout.count();
      return timesync::WaitResult::TimedOut;
    }
    current_ = &script_.steps[next_++];
    clock_.steadyMs += current_->elapseMs;
    return current_->wait;
  }
  std::optional<timesync::Datagram> Receive() override {
    ++log_.receives;
    if (current_ == nullptr || !current_->datagram || log_.sent.empty()) return std::nullopt;
    return current_->datagram(log_.sent.back());
  }

 private:
  const SocketScript& script_;
  SocketLog& log_;
  FakeClock& clock_;
  std::size_t next_ = 0;
  const SocketStep* current_ = nullptr;
};

}  // namespace

timesync::SystemTime CalendarOf(std::int64_t unixSeconds, std::int64_t zoneOffsetSeconds) {
  const std::int64_t local = unixSeconds + zoneOffsetSeconds;
  std::int64_t days = local / 86400;
  std::int64_t rest = local % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
  timesync::SystemTime t;
  t.year = static_cast<std::uint16_t>(y);
  t.month = static_cast<std::uint16_t>(m);
  t.day = static_cast<std::uint16_t>(d);
  t.dayOfWeek = static_cast<std::uint16_t>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  t.hour = static_cast<std::uint16_t>(rest / 3600);
  t.minute = static_cast<std::uint16_t>(rest / 60 % 60);
  t.second = static_cast<std::uint16_t>(rest % 60);
  return t;
}

std::int64_t UnixOf(const timesync::SystemTime& local, std::int64_t zoneOffsetSeconds) {
  return DaysFromCivil(local.year, local.month, local.day) * 86400 + local.hour * 3600 +
         local.minute * 60 + local.second - zoneOffsetSeconds;
}

std::int64_t FakeClock::NowUnixSeconds() {
  if (fixedNow) return *fixedNow;
  return static_cast<std::int64_t>(std::time(nullptr)) + nowOffset;
}

std::int64_t FakeClock::SteadyMilliseconds() {
  if (!realSteady) return steadyMs;
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::optional<timesync::SystemTime> FakeClock::ToLocalCalendar(std::int64_t unixSeconds) {
  calendarRequests.push_back(unixSeconds);
  if (refuseCalendar) return std::nullopt;
  return CalendarOf(unixSeconds, zoneOffsetSeconds);
}

bool FakeClock::SetLocalTime(const timesync::SystemTime& time) {
  setTimes.push_back(time);
  if (setResult && setMovesClock) fixedNow = UnixOf(time, zoneOffsetSeconds);
  return setResult;
}

bool FakeNetwork::Start() {
  ++starts;
  return startResult;
}

std::unique_ptr<timesync::IUdpSocket> FakeNetwork::OpenSocket() {
  if (!openResult) return nullptr;
  ++log.opened;
  return std::make_unique<FakeSocket>(script, log, clock_);
}

std::optional<std::uint32_t> FakeNames::Resolve(const std::string& host) {
  lookups.push_back(host);
  const auto it = hosts.find(host);
  if (it == hosts.end()) return std::nullopt;
  return it->second;
}

std::function<std::optional<timesync::Datagram>(const std::vector<unsigned char>&)> ReplyFrom(
    timesync::Endpoint from, ReplyPlan plan) {
  return [from, plan](const std::vector<unsigned char>& request) {
    return std::optional<timesync::Datagram>(
        timesync::Datagram{MakeReply(plan, NonceOfRequest(request.data(), request.size())), from});
  };
}

}  // namespace clocktest
