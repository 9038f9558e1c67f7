#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/win32/clock_win32.h"

#include "platform/win32/win_api.h"

#include <bcrypt.h>

#include <chrono>
#include <ctime>
#include <vector>

#include "clock/local_time.h"
#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

// One start-up per process; the cleanup runs once at exit. A failed start-up is tried again
// on the next call.
class WinsockLibrary {
 public:
  ~WinsockLibrary() {
    if (started_) WSACleanup();
  }
  bool Start() {
    if (!started_) {
      WSADATA data;
      started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }
    return started_;
  }

 private:
  bool started_ = false;
};

sockaddr_in AddressOf(std::uint32_t address, std::uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(address);
  sa.sin_port = htons(port);
  return sa;
}

class Win32UdpSocket : public timesync::IUdpSocket {
 public:
  explicit Win32UdpSocket(SOCKET s) : socket_(s) {}
  ~Win32UdpSocket() override { closesocket(socket_); }

  bool Bind(std::uint16_t localPort) override {
    const sockaddr_in sa = AddressOf(INADDR_ANY, localPort);
    return bind(socket_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
  }
  bool Connect(const timesync::Endpoint& server) override {
    const sockaddr_in sa = AddressOf(server.address, server.port);
    return connect(socket_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
  }
  bool Send(const unsigned char* data, std::size_t size) override {
    return send(socket_, reinterpret_cast<const char*>(data), static_cast<int>(size), 0) ==
           static_cast<int>(size);
  }
  timesync::WaitResult WaitReadable(std::chrono::milliseconds timeout) override {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval tv;
    tv.tv_sec = static_cast<long>(timeout.count() / 1000);
    tv.tv_usec = static_cast<long>(timeout.count() % 1000 * 1000);
    const int n = select(0, &readable, nullptr, nullptr, &tv);
    if (n == SOCKET_ERROR) return timesync::WaitResult::Failed;
    if (n == 0) return timesync::WaitResult::TimedOut;
    return FD_ISSET(socket_, &readable) ? timesync::WaitResult::Readable
                                        : timesync::WaitResult::Failed;
  }
  std::optional<timesync::Datagram> Receive() override {
    // As large as a UDP datagram gets, so that no reply is ever truncated.
    timesync::Datagram d;
    d.bytes.resize(65536);
    sockaddr_in from{};
    int fromSize = sizeof from;
    const int n = recvfrom(socket_, reinterpret_cast<char*>(d.bytes.data()),
                           static_cast<int>(d.bytes.size()), 0,
                           reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (n == SOCKET_ERROR) return std::nullopt;
    d.bytes.resize(static_cast<std::size_t>(n));
    d.from = {ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)};
    return d;
  }

 private:
  SOCKET socket_;
};

WinsockLibrary& Library() {
  static WinsockLibrary library;
  return library;
}

}  // namespace

bool Win32UdpNetwork::Start() { return Library().Start(); }

std::unique_ptr<timesync::IUdpSocket> Win32UdpNetwork::OpenSocket() {
  const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
  if (s == INVALID_SOCKET) return nullptr;
  return std::make_unique<Win32UdpSocket>(s);
}

std::optional<std::uint32_t> Win32NameLookup::Resolve(const std::string& host) {
  if (!Library().Start()) return std::nullopt;
  ADDRINFOW hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  ADDRINFOW* list = nullptr;
  const std::wstring wide = win::Widen(host);
  if (GetAddrInfoW(wide.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) {
    return std::nullopt;
  }
  std::optional<std::uint32_t> address;
  for (const ADDRINFOW* a = list; a != nullptr && !address; a = a->ai_next) {
    if (a->ai_family == AF_INET && a->ai_addr != nullptr) {
      address = ntohl(reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr);
    }
  }
  FreeAddrInfoW(list);
  return address;
}

std::int64_t Win32LocalClock::NowUnixSeconds() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

std::int64_t Win32LocalClock::SteadyMilliseconds() {
  return static_cast<std::int64_t>(GetTickCount64());
}

std::optional<timesync::SystemTime> Win32LocalClock::ToLocalCalendar(std::int64_t unixSeconds) {
  return timesync::LocalCalendarTime(unixSeconds);
}

bool Win32LocalClock::SetLocalTime(const timesync::SystemTime& time) {
  SYSTEMTIME st{};
  st.wYear = time.year;
  st.wMonth = time.month;
  st.wDayOfWeek = time.dayOfWeek;
  st.wDay = time.day;
  st.wHour = time.hour;
  st.wMinute = time.minute;
  st.wSecond = time.second;
  st.wMilliseconds = time.milliseconds;
  return ::SetLocalTime(&st) != FALSE;
}

std::optional<std::uint64_t> Win32RandomSource::Random64() {
  std::uint64_t value = 0;
  const NTSTATUS status = BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&value), sizeof value,
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  if (status < 0) return std::nullopt;
  return value;
}

Win32ClockPorts::Win32ClockPorts(app::IDialogs& dialogs, app::ISound& sound)
    : ports_{network_, names_, clock_, random_, sound, dialogs} {}

}  // namespace win32
