#pragma once
// A scripted SNTP responder on 127.0.0.1 for the tests: it takes the first request and answers it
// as told, possibly several times, late, or from another port.
#include <cstdint>
#include <thread>
#include <vector>

#include "support/ntp_reply.h"

namespace clocktest {

struct ResponderAction {
  int delayMs = 0;  // after the request arrived
  ReplyPlan reply;
  bool fromOtherPort = false;
};

class NtpResponder {
 public:
  explicit NtpResponder(std::vector<ResponderAction> script);
  ~NtpResponder();  // waits for the script to finish
  NtpResponder(const NtpResponder&) = delete;
  NtpResponder& operator=(const NtpResponder&) = delete;

  std::uint16_t Port() const { return port_; }
  // Waits for the script to finish; then Request() is the request that arrived (or empty).
  void Wait();
  const std::vector<unsigned char>& Request() const { return request_; }

 private:
  void Run(std::vector<ResponderAction> script);
  int fd_ = -1;
  int otherFd_ = -1;
  std::uint16_t port_ = 0;
  std::vector<unsigned char> request_;
  std::thread thread_;
};

}  // namespace clocktest
