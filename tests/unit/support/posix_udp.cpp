#include "support/posix_udp.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace clocktest {

namespace {

sockaddr_in AddressOf(std::uint32_t address, std::uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(address);
  sa.sin_port = htons(port);
  return sa;
}

class PosixUdpSocket : public timesync::IUdpSocket {
 public:
  explicit PosixUdpSocket(int fd) : fd_(fd) {}
  ~PosixUdpSocket() override { close(fd_); }

  bool Bind(std::uint16_t localPort) override {
    const sockaddr_in sa = AddressOf(INADDR_ANY, localPort);
    return bind(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
  }
  bool Connect(const timesync::Endpoint& server) override {
    const sockaddr_in sa = AddressOf(server.address, server.port);
    return connect(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
  }
  bool Send(const unsigned char* data, std::size_t size) override {
    return send(fd_, data, size, 0) == static_cast<ssize_t>(size);
  }
  timesync::WaitResult WaitReadable(std::chrono::milliseconds timeout) override {
    pollfd p{fd_, POLLIN, 0};
    const int n = poll(&p, 1, static_cast<int>(timeout.count()));
    if (n < 0) return timesync::WaitResult::Failed;
    if (n == 0) return timesync::WaitResult::TimedOut;
    // An error pending on the socket (e.g. port unreachable) is reported by the receive.
    return (p.revents & (POLLIN | POLLERR)) ? timesync::WaitResult::Readable
                                            : timesync::WaitResult::Failed;
  }
  std::optional<timesync::Datagram> Receive() override {
    timesync::Datagram d;
    d.bytes.resize(65536);
    sockaddr_in from{};
    socklen_t fromSize = sizeof from;
    const ssize_t n = recvfrom(fd_, d.bytes.data(), d.bytes.size(), 0,
                               reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (n < 0) return std::nullopt;
    d.bytes.resize(static_cast<std::size_t>(n));
    d.from = {ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)};
    return d;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<timesync::IUdpSocket> PosixUdpNetwork::OpenSocket() {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixUdpSocket>(fd);
}

std::optional<std::uint32_t> PosixNameLookup::Resolve(const std::string& host) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* list = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) {
    return std::nullopt;
  }
  const auto* sa = reinterpret_cast<const sockaddr_in*>(list->ai_addr);
  const std::uint32_t address = ntohl(sa->sin_addr.s_addr);
  freeaddrinfo(list);
  return address;
}

}  // namespace clocktest
