// CorrectClock over fake ports: the order of the steps, every result text, and what is touched.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "clock/correct_clock.h"
#include "support/clock_fakes.h"
#include "support/ntp_reply.h"

namespace {

using namespace clocktest;
using timesync::Datagram;
using timesync::Endpoint;
using timesync::SystemTime;
using timesync::WaitResult;

constexpr std::int64_t T2030 = 1893456000;  // 2030-01-01 00:00:00 UTC
const Endpoint Server{0xC0000201, 123};      // 192.0.2.1

struct Rig {
  FakeClock clock;
  FakeNetwork network{clock};
  FakeNames names;
  FakeRandom random;
  FakeSound sound;
  FakeDialogs dialogs;
  timesync::ClockPorts ports{network, names, clock, random, sound, dialogs};

  std::string Run(const std::string& server = "192.0.2.1", const std::string& soundFile = "a.wav") {
    return timesync::CorrectClock(server, soundFile, ports);
  }
  // The server answers at once with plan.
  void Answer(const ReplyPlan& plan, Endpoint from = Server) {
    network.script.steps.push_back({10, WaitResult::Readable, ReplyFrom(from, plan)});
  }
};

ReplyPlan Reply(std::int64_t unixSeconds, std::uint32_t fraction = 0) {
  ReplyPlan plan;
  plan.transmitSeconds = NtpSecondsOf(unixSeconds);
  plan.transmitFraction = fraction;
  return plan;
}

TEST(ClockCorrectTest, SetsTheClockAndReportsTheDifference) {
  struct Case {
    const char* name;
    std::int64_t serverTime;
    std::uint32_t fraction;
    std::int64_t now;
    std::string text;
    SystemTime set;  // local time in the fake zone, UTC+9
  } cases[] = {
      {"5 s ahead", T2030, 0x80000000u, T2030 - 5, "時刻を修正しました [5秒]",
       {2030, 1, 2, 1, 9, 0, 0, 500}},
      {"5 s behind", T2030, 0xFFFFFFFFu, T2030 + 5, "時刻を修正しました [-5秒]",
       {2030, 1, 2, 1, 9, 0, 0, 999}},
      {"on time", T2030 + 59, 0, T2030 + 59, "時刻を修正しました [0秒]",
       {2030, 1, 2, 1, 9, 0, 59, 0}},
      {"after 2038", 2208988800LL, 0x40000000u, 2208988800LL - 3, "時刻を修正しました [3秒]",
       {2040, 1, 0, 1, 9, 0, 0, 250}},
      {"clock at 1970", 2208988800LL, 0, 0, "時刻を修正しました [2208988800秒]",
       {2040, 1, 0, 1, 9, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.clock.fixedNow = c.now;
    rig.Answer(Reply(c.serverTime, c.fraction));
    EXPECT_EQ(rig.Run(), c.text);
    ASSERT_EQ(rig.clock.setTimes.size(), 1u);
    EXPECT_EQ(rig.clock.setTimes[0], c.set);
    ASSERT_EQ(rig.sound.calls.size(), 1u);
    EXPECT_EQ(rig.sound.calls[0].fileName, "a.wav");
    EXPECT_EQ(rig.sound.calls[0].flags, 1u);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(rig.network.log.opened, 1);
    EXPECT_EQ(rig.network.log.closed, 1);
  }
}

TEST(ClockCorrectTest, SendsOneNonceRequestFromPort1024AndWaitsThreeSeconds) {
  Rig rig;
  rig.random.value = 0xFEDCBA9876543210ull;
  rig.Answer(Reply(T2030));
  rig.Run();
  EXPECT_EQ(rig.network.starts, 1);
  EXPECT_EQ(rig.network.log.bindPorts, std::vector<std::uint16_t>{1024});
  ASSERT_EQ(rig.network.log.sent.size(), 1u);
  const std::vector<unsigned char>& request = rig.network.log.sent[0];
  ASSERT_EQ(request.size(), 48u);
  EXPECT_EQ(request[0], 0x0B);
  EXPECT_EQ(NonceOfRequest(request.data(), request.size()), 0xFEDCBA9876543210ull);
  EXPECT_EQ(rig.network.log.waitTimeouts, std::vector<std::int64_t>{3000});
  EXPECT_EQ(rig.network.log.receives, 1);
}

TEST(ClockCorrectTest, DottedAddressesSkipTheLookupAndNamesAreResolved) {
  struct Case {
    std::string server;
    std::vector<std::string> lookups;
    Endpoint peer;
  } cases[] = {
      {"192.0.2.1", {}, {0xC0000201, 123}},
      {"192.0.2.1:70000", {}, {0xC0000201, 4464}},
      {"ntp.example.jp:123:9", {"ntp.example.jp"}, {0xC6336401, 123}},
      {"ntp.example.jp", {"ntp.example.jp"}, {0xC6336401, 123}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.server);
    Rig rig;
    rig.names.hosts["ntp.example.jp"] = 0xC6336401;
    rig.clock.fixedNow = T2030;
    rig.Answer(Reply(T2030), c.peer);
    EXPECT_EQ(rig.Run(c.server), "時刻を修正しました [0秒]");
    EXPECT_EQ(rig.names.lookups, c.lookups);
    EXPECT_EQ(rig.network.log.connects, std::vector<Endpoint>{c.peer});
  }
}

TEST(ClockCorrectTest, EveryFailureHasItsTextAndLeavesTheClockAlone) {
  struct Case {
    const char* name;
    std::function<void(Rig&)> arrange;
    std::string server;
    std::string text;
  } cases[] = {
      {"start-up", [](Rig& r) { r.network.startResult = false; }, "192.0.2.1",
       "WinSockの初期化に失敗しました"},
      {"socket", [](Rig& r) { r.network.openResult = false; }, "192.0.2.1",
       "Socketの作成に失敗しました"},
      {"unknown host", [](Rig&) {}, "nowhere.invalid", "ホストアドレス取得失敗"},
      {"no host", [](Rig&) {}, ":123", "ホストアドレス取得失敗"},
      {"no random", [](Rig& r) { r.random.value.reset(); }, "192.0.2.1", "サーバへの送信失敗"},
      {"connect", [](Rig& r) { r.network.script.connectResult = false; }, "192.0.2.1",
       "サーバへの送信失敗"},
      {"send", [](Rig& r) { r.network.script.sendResult = false; }, "192.0.2.1",
       "サーバへの送信失敗"},
      {"select", [](Rig& r) { r.network.script.steps.push_back({0, WaitResult::Failed, {}}); },
       "192.0.2.1", "サーバからの受信を失敗しました"},
      {"no answer", [](Rig&) {}, "192.0.2.1", "タイムアウトしました"},
      {"receive",
       [](Rig& r) { r.network.script.steps.push_back({5, WaitResult::Readable, {}}); },
       "192.0.2.1", "サーバからの受信を失敗しました"},
      {"kiss of death",
       [](Rig& r) {
         ReplyPlan kiss = Reply(T2030);
         kiss.stratum = 0;
         kiss.leap = 3;
         kiss.kissCode = "RATE";
         r.Answer(kiss);
       },
       "192.0.2.1", "サーバに要求を拒否されました"},
      {"leap 3",
       [](Rig& r) {
         ReplyPlan s = Reply(T2030);
         s.leap = 3;
         r.Answer(s);
       },
       "192.0.2.1", "サーバからの応答が不正です"},
      {"stratum 16",
       [](Rig& r) {
         ReplyPlan s = Reply(T2030);
         s.stratum = 16;
         r.Answer(s);
       },
       "192.0.2.1", "サーバからの応答が不正です"},
      {"zero transmit time",
       [](Rig& r) {
         ReplyPlan s;
         r.Answer(s);
       },
       "192.0.2.1", "サーバからの応答が不正です"},
      {"no local time",
       [](Rig& r) {
         r.clock.refuseCalendar = true;
         r.Answer(Reply(T2030));
       },
       "192.0.2.1", "Error: 時刻の取得を失敗しました"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    c.arrange(rig);
    EXPECT_EQ(rig.Run(c.server), c.text);
    EXPECT_TRUE(rig.clock.setTimes.empty());
    EXPECT_TRUE(rig.sound.calls.empty());
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(rig.network.log.opened, rig.network.log.closed);
    EXPECT_LE(rig.network.log.sent.size(), 1u);
  }
}

TEST(ClockCorrectTest, RefusedClockSettingIsReportedWithoutSound) {
  Rig rig;
  rig.clock.setResult = false;
  rig.Answer(Reply(T2030));
  EXPECT_EQ(rig.Run(), "時刻の修正を失敗しました");
  EXPECT_EQ(rig.clock.setTimes.size(), 1u);
  EXPECT_TRUE(rig.sound.calls.empty());
}

TEST(ClockCorrectTest, EmptySoundNameIsStillPlayed) {
  Rig rig;
  rig.Answer(Reply(T2030));
  rig.Run("192.0.2.1", "");
  ASSERT_EQ(rig.sound.calls.size(), 1u);
  EXPECT_EQ(rig.sound.calls[0].fileName, "");
  EXPECT_EQ(rig.sound.calls[0].flags, 1u);
}

TEST(ClockCorrectTest, BindFailureShowsTheBoxBeforeSendingAndGoesOn) {
  struct RecordingDialogs : FakeDialogs {
    SocketLog* log = nullptr;
    std::size_t sentBeforeBox = 99;
    void ShowMessage(const std::string& text) override {
      sentBeforeBox = log->sent.size();
      FakeDialogs::ShowMessage(text);
    }
  };
  Rig rig;
  RecordingDialogs dialogs;
  dialogs.log = &rig.network.log;
  timesync::ClockPorts ports{rig.network, rig.names, rig.clock, rig.random, rig.sound, dialogs};
  rig.network.script.bindResult = false;
  rig.clock.fixedNow = T2030;
  rig.Answer(Reply(T2030));
  EXPECT_EQ(timesync::CorrectClock("192.0.2.1", "a.wav", ports), "時刻を修正しました [0秒]");
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"受信ポート番号の指定に失敗"});
  EXPECT_EQ(dialogs.sentBeforeBox, 0u);
  EXPECT_EQ(rig.clock.setTimes.size(), 1u);
}

TEST(ClockCorrectTest, IgnoredDatagramsUseUpTheOneWindow) {
  ReplyPlan shortReply = Reply(T2030 + 1000);
  shortReply.size = 47;
  ReplyPlan serverMode = Reply(T2030 + 1000);
  serverMode.mode = 3;
  Rig rig;
  rig.clock.fixedNow = T2030;
  auto& steps = rig.network.script.steps;
  steps.push_back({1000, WaitResult::Readable, ReplyFrom({Server.address, 124}, Reply(T2030 + 1000))});
  steps.push_back({500, WaitResult::Readable, ReplyFrom(Server, serverMode)});
  steps.push_back({700, WaitResult::Readable, ReplyFrom(Server, shortReply)});
  steps.push_back({300, WaitResult::Readable, ReplyFrom(Server, Reply(T2030 + 7))});
  EXPECT_EQ(rig.Run(), "時刻を修正しました [7秒]");
  EXPECT_EQ(rig.network.log.waitTimeouts, (std::vector<std::int64_t>{3000, 2000, 1500, 800}));

  Rig late;
  late.network.script.steps.push_back(
      {3000, WaitResult::Readable, ReplyFrom({Server.address, 124}, Reply(T2030))});
  late.network.script.steps.push_back({0, WaitResult::Readable, ReplyFrom(Server, Reply(T2030))});
  EXPECT_EQ(late.Run(), "タイムアウトしました");
  EXPECT_EQ(late.network.log.waitTimeouts, std::vector<std::int64_t>{3000});
  EXPECT_TRUE(late.clock.setTimes.empty());
}

TEST(ClockCorrectTest, LaterCallsWorkAsTheFirst) {
  Rig rig;
  rig.clock.fixedNow = T2030;
  rig.Answer(Reply(T2030));  // every new socket replays this answer
  for (int i = 1; i <= 40; ++i) {
    ASSERT_EQ(rig.Run(), "時刻を修正しました [0秒]") << "call " << i;
  }
  EXPECT_EQ(rig.network.log.opened, 40);
  EXPECT_EQ(rig.network.log.closed, 40);
  EXPECT_EQ(rig.clock.setTimes.size(), 40u);
}

}  // namespace
