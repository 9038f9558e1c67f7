#include "support/ntp_responder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace clocktest {

namespace {

int LoopbackSocket(std::uint16_t* port) {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
    close(fd);
    throw std::runtime_error("bind to 127.0.0.1 failed");
  }
  socklen_t size = sizeof sa;
  getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &size);
  if (port) *port = ntohs(sa.sin_port);
  return fd;
}

}  // namespace

NtpResponder::NtpResponder(std::vector<ResponderAction> script) {
  fd_ = LoopbackSocket(&port_);
  otherFd_ = LoopbackSocket(nullptr);
  thread_ = std::thread(&NtpResponder::Run, this, std::move(script));
}

void NtpResponder::Wait() {
  if (thread_.joinable()) thread_.join();
}

NtpResponder::~NtpResponder() {
  Wait();
  close(fd_);
  close(otherFd_);
}

void NtpResponder::Run(std::vector<ResponderAction> script) {
  pollfd p{fd_, POLLIN, 0};
  if (poll(&p, 1, 5000) <= 0) return;  // no request came: nothing to answer
  std::vector<unsigned char> buffer(65536);
  sockaddr_in client{};
  socklen_t clientSize = sizeof client;
  const ssize_t n = recvfrom(fd_, buffer.data(), buffer.size(), 0,
                             reinterpret_cast<sockaddr*>(&client), &clientSize);
  if (n < 0) return;
  buffer.resize(static_cast<std::size_t>(n));
  request_ = buffer;
  const auto arrived = std::chrono::steady_clock::now();
  const std::uint64_t nonce = NonceOfRequest(request_.data(), request_.size());
  for (const ResponderAction& action : script) {
    std::this_thread::sleep_until(arrived + std::chrono::milliseconds(action.delayMs));
    const std::vector<unsigned char> reply = MakeReply(action.reply, nonce);
    sendto(action.fromOtherPort ? otherFd_ : fd_, reply.data(), reply.size(), 0,
           reinterpret_cast<const sockaddr*>(&client), clientSize);
  }
}

}  // namespace clocktest
