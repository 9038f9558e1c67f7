#include "clock/correct_clock.h"

#include <optional>

#include "clock/server_text.h"
#include "clock/sntp_message.h"

namespace timesync {

namespace {

const char* const StartupFailed = "WinSockの初期化に失敗しました";
const char* const SocketFailed = "Socketの作成に失敗しました";
const char* const BindFailed = "受信ポート番号の指定に失敗";
const char* const LookupFailed = "ホストアドレス取得失敗";
const char* const SendFailed = "サーバへの送信失敗";
const char* const ReceiveFailed = "サーバからの受信を失敗しました";
const char* const TimedOut = "タイムアウトしました";
const char* const Denied = "サーバに要求を拒否されました";
const char* const InvalidReply = "サーバからの応答が不正です";
const char* const NoLocalTime = "Error: 時刻の取得を失敗しました";
const char* const SetFailed = "時刻の修正を失敗しました";

struct Outcome {
  const char* failure = nullptr;  // set when the exchange failed
  SntpReply reply;
};

// Waits, within one 3-second window, for the first datagram that is a reply to our request;
// anything else is dropped and the wait goes on for the rest of the window.
Outcome AwaitReply(IUdpSocket& socket, const Endpoint& server, std::uint64_t nonce,
                   ILocalClock& clock) {
  const std::int64_t deadline = clock.SteadyMilliseconds() + ReplyWaitMilliseconds;
  for (;;) {
    const std::int64_t remaining = deadline - clock.SteadyMilliseconds();
    if (remaining <= 0) return {TimedOut, {}};
    switch (socket.WaitReadable(std::chrono::milliseconds(remaining))) {
      case WaitResult::Failed: return {ReceiveFailed, {}};
      case WaitResult::TimedOut: return {TimedOut, {}};
      case WaitResult::Readable: break;
    }
    const std::optional<Datagram> datagram = socket.Receive();
    if (!datagram) return {ReceiveFailed, {}};
    if (datagram->from != server) continue;
    const std::optional<SntpReply> reply =
        DecodeReply(datagram->bytes.data(), datagram->bytes.size());
    if (!reply) continue;
    switch (JudgeReply(*reply, nonce)) {
      case ReplyVerdict::NotOurs: continue;
      case ReplyVerdict::Denied: return {Denied, {}};
      case ReplyVerdict::Invalid: return {InvalidReply, {}};
      case ReplyVerdict::Usable: return {nullptr, *reply};
    }
  }
}

}  // namespace

std::string CorrectClock(std::string serverText, const std::string& soundFile, ClockPorts& ports) {
  const ServerAddress server = ParseServerText(serverText);

  if (!ports.network.Start()) return StartupFailed;
  std::unique_ptr<IUdpSocket> socket = ports.network.OpenSocket();
  if (!socket) return SocketFailed;
  if (!socket->Bind(LocalPort)) ports.dialogs.ShowMessage(BindFailed);

  // An empty host would make some resolvers answer with this machine's own address.
  std::optional<std::uint32_t> address = ParseDottedIPv4(server.host);
  if (!address && !server.host.empty()) address = ports.names.Resolve(server.host);
  if (!address) return LookupFailed;
  const Endpoint peer{*address, server.port};

  const std::optional<std::uint64_t> nonce = ports.random.Random64();
  if (!nonce) return SendFailed;
  const SntpRequest request = BuildRequest(*nonce);
  if (!socket->Connect(peer) || !socket->Send(request.data(), request.size())) return SendFailed;

  const Outcome outcome = AwaitReply(*socket, peer, *nonce, ports.clock);
  socket.reset();
  if (outcome.failure) return outcome.failure;

  const std::int64_t now = ports.clock.NowUnixSeconds();
  const std::int64_t serverTime = NtpSecondsToUnix(outcome.reply.transmitSeconds);
  std::optional<SystemTime> local = ports.clock.ToLocalCalendar(serverTime);
  if (!local) return NoLocalTime;
  // Taken before the clock moves, so it tells how far off the clock was.
  const std::int64_t difference = serverTime - now;
  local->milliseconds =
      static_cast<std::uint16_t>(FractionToMilliseconds(outcome.reply.transmitFraction));
  if (!ports.clock.SetLocalTime(*local)) return SetFailed;

  ports.sound.Play(soundFile, app::ISound::Async);
  return "時刻を修正しました [" + std::to_string(difference) + "秒]";
}

}  // namespace timesync
