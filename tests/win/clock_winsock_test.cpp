// The Winsock adapters of the clock correction, against a small SNTP responder on 127.0.0.1 run
// by a thread of this test. The clock is never set: SetLocalTime is recorded instead.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "clock/correct_clock.h"
#include "clock/local_time.h"
#include "platform/win32/clock_win32.h"

namespace {

constexpr std::int64_t T2031 = 1924992000;  // 2031-01-01 00:00:00 UTC

std::vector<unsigned char> ReplyTo(const std::vector<unsigned char>& request,
                                   std::int64_t unixSeconds, std::uint32_t fraction) {
  std::vector<unsigned char> reply(48, 0);
  reply[0] = 0x24;  // leap 0, version 4, server
  reply[1] = 2;
  const auto seconds = static_cast<std::uint32_t>(unixSeconds + 2208988800LL);
  for (int i = 0; i < 8; ++i) reply[24 + i] = request[40 + i];  // our nonce as the originate
  for (int i = 0; i < 4; ++i) {
    reply[40 + i] = static_cast<unsigned char>(seconds >> (24 - 8 * i));
    reply[44 + i] = static_cast<unsigned char>(fraction >> (24 - 8 * i));
  }
  return reply;
}

SOCKET LoopbackSocket(std::uint16_t* port) {
  const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  int size = sizeof sa;
  getsockname(s, reinterpret_cast<sockaddr*>(&sa), &size);
  if (port) *port = ntohs(sa.sin_port);
  return s;
}

// Answers every request it gets with what the handler returns: replies sent from its own port,
// and decoys sent first from another port.
class Responder {
 public:
  struct Answer {
    std::vector<std::vector<unsigned char>> decoys;
    std::vector<std::vector<unsigned char>> replies;
  };
  using Handler = std::function<Answer(const std::vector<unsigned char>& request)>;

  explicit Responder(Handler handler) : handler_(std::move(handler)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = LoopbackSocket(&port_);
    other_ = LoopbackSocket(nullptr);
    thread_ = std::thread([this] { Run(); });
  }
  ~Responder() {
    stop_ = true;
    thread_.join();
    closesocket(socket_);
    closesocket(other_);
    WSACleanup();
  }
  std::uint16_t Port() const { return port_; }
  int Requests() const { return requests_; }

 private:
  void Run() {
    while (!stop_) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(socket_, &readable);
      timeval tv{0, 100000};
      if (select(0, &readable, nullptr, nullptr, &tv) <= 0) continue;
      std::vector<unsigned char> request(2048);
      sockaddr_in client{};
      int clientSize = sizeof client;
      const int n = recvfrom(socket_, reinterpret_cast<char*>(request.data()),
                             static_cast<int>(request.size()), 0,
                             reinterpret_cast<sockaddr*>(&client), &clientSize);
      if (n < 48) continue;
      request.resize(static_cast<std::size_t>(n));
      ++requests_;
      const Answer answer = handler_(request);
      auto sendFrom = [&](SOCKET s, const std::vector<unsigned char>& bytes) {
        sendto(s, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
               reinterpret_cast<const sockaddr*>(&client), clientSize);
      };
      for (const auto& decoy : answer.decoys) sendFrom(other_, decoy);
      if (!answer.decoys.empty()) Sleep(100);
      for (const auto& reply : answer.replies) sendFrom(socket_, reply);
    }
  }

  Handler handler_;
  SOCKET socket_ = INVALID_SOCKET;
  SOCKET other_ = INVALID_SOCKET;
  std::uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::thread thread_;
};

// The real clock adapter, except that "now" is fixed and the setting is only recorded.
class RecordingClock : public win32::Win32LocalClock {
 public:
  std::int64_t now = T2031;
  std::vector<timesync::SystemTime> setTimes;
  std::int64_t NowUnixSeconds() override { return now; }
  bool SetLocalTime(const timesync::SystemTime& time) override {
    setTimes.push_back(time);
    return true;
  }
};

class RecordingSound : public app::ISound {
 public:
  std::vector<std::string> played;
  void Play(const std::string& fileName, unsigned) override { played.push_back(fileName); }
};

class RecordingDialogs : public app::IDialogs {
 public:
  std::vector<std::string> messages;
  int MessageBox(const std::string&, const std::string&, unsigned) override { return app::IdOk; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ErrorBox(const std::string&) override {}
  std::optional<std::string> OpenFile(const app::OpenFileRequest&) override { return {}; }
  void Beep(unsigned) override {}
};

struct Rig {
  win32::Win32UdpNetwork network;
  win32::Win32NameLookup names;
  RecordingClock clock;
  win32::Win32RandomSource random;
  RecordingSound sound;
  RecordingDialogs dialogs;
  timesync::ClockPorts ports{network, names, clock, random, sound, dialogs};
  std::string Run(const std::string& server) {
    return timesync::CorrectClock(server, "tick.wav", ports);
  }
};

Responder::Handler Valid(std::int64_t unixSeconds, std::uint32_t fraction = 0) {
  return [=](const std::vector<unsigned char>& request) {
    return Responder::Answer{{}, {ReplyTo(request, unixSeconds, fraction)}};
  };
}

TEST(ClockWinsockTest, CorrectsFromALoopbackServerByAddressAndByName) {
  Responder responder(Valid(T2031, 0x80000000u));
  for (const std::string host : {"127.0.0.1", "localhost"}) {
    SCOPED_TRACE(host);
    Rig rig;
    rig.clock.now = T2031 - 5;
    EXPECT_EQ(rig.Run(host + ":" + std::to_string(responder.Port())), "時刻を修正しました [5秒]");
    ASSERT_EQ(rig.clock.setTimes.size(), 1u);
    std::optional<timesync::SystemTime> expected = timesync::LocalCalendarTime(T2031);
    ASSERT_TRUE(expected);
    expected->milliseconds = 500;
    EXPECT_EQ(rig.clock.setTimes[0], *expected);
    EXPECT_EQ(rig.sound.played, std::vector<std::string>{"tick.wav"});
  }
}

TEST(ClockWinsockTest, RequestCarriesAFreshNonceEachTime) {
  std::vector<std::vector<unsigned char>> requests;  // read once the responder has stopped
  {
    Responder responder([&](const std::vector<unsigned char>& request) {
      requests.push_back(request);
      return Responder::Answer{{}, {ReplyTo(request, T2031, 0)}};
    });
    Rig rig;
    const std::string server = "127.0.0.1:" + std::to_string(responder.Port());
    ASSERT_EQ(rig.Run(server), "時刻を修正しました [0秒]");
    ASSERT_EQ(rig.Run(server), "時刻を修正しました [0秒]");
  }
  ASSERT_EQ(requests.size(), 2u);
  for (const auto& request : requests) {
    ASSERT_EQ(request.size(), 48u);
    EXPECT_EQ(request[0], 0x0B);
  }
  EXPECT_NE(std::vector<unsigned char>(requests[0].begin() + 40, requests[0].end()),
            std::vector<unsigned char>(requests[1].begin() + 40, requests[1].end()));
}

TEST(ClockWinsockTest, ReplyFromAnotherPortIsNotTaken) {
  Responder responder([](const std::vector<unsigned char>& request) {
    return Responder::Answer{{ReplyTo(request, T2031 + 1000, 0)}, {ReplyTo(request, T2031, 0)}};
  });
  Rig rig;
  EXPECT_EQ(rig.Run("127.0.0.1:" + std::to_string(responder.Port())), "時刻を修正しました [0秒]");
}

TEST(ClockWinsockTest, SilentServerTimesOut) {
  Responder responder([](const std::vector<unsigned char>&) { return Responder::Answer{}; });
  Rig rig;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(rig.Run("127.0.0.1:" + std::to_string(responder.Port())), "タイムアウトしました");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2900));
  EXPECT_TRUE(rig.clock.setTimes.empty());
  EXPECT_EQ(responder.Requests(), 1);
}

TEST(ClockWinsockTest, TakenLocalPortShowsTheBoxAndStillCorrects) {
  Responder responder(Valid(T2031));
  const SOCKET holder = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_ANY);
  sa.sin_port = htons(1024);
  bind(holder, reinterpret_cast<sockaddr*>(&sa), sizeof sa);  // taken either way
  Rig rig;
  const std::string text = rig.Run("127.0.0.1:" + std::to_string(responder.Port()));
  closesocket(holder);
  EXPECT_EQ(rig.dialogs.messages, std::vector<std::string>{"受信ポート番号の指定に失敗"});
  EXPECT_EQ(text, "時刻を修正しました [0秒]");
}

TEST(ClockWinsockTest, ManyCorrectionsInOneRunAllWork) {
  Responder responder(Valid(T2031));
  const std::string server = "127.0.0.1:" + std::to_string(responder.Port());
  for (int i = 1; i <= 40; ++i) {
    Rig rig;
    ASSERT_EQ(rig.Run(server), "時刻を修正しました [0秒]") << "correction " << i;
  }
  EXPECT_EQ(responder.Requests(), 40);
}

TEST(ClockWinsockTest, RandomSourceGivesDifferentValues) {
  win32::Win32RandomSource random;
  const std::optional<std::uint64_t> a = random.Random64();
  const std::optional<std::uint64_t> b = random.Random64();
  ASSERT_TRUE(a && b);
  EXPECT_NE(*a, *b);
}

}  // namespace
