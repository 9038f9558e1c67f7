#pragma once
// Server replies as the tests script them: a well-formed reply by default, each field adjustable.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace clocktest {

struct ReplyPlan {
  unsigned leap = 0;
  unsigned version = 4;
  unsigned mode = 4;
  unsigned stratum = 2;
  std::string kissCode;  // the reference identifier as four ASCII letters, when not empty
  std::uint32_t transmitSeconds = 0;
  std::uint32_t transmitFraction = 0;
  std::uint64_t originateXor = 0;  // flips bits of the echoed nonce
  std::size_t size = 48;           // shorter cuts the message, longer pads it
};

// The datagram answering a request whose transmit timestamp was nonce.
std::vector<unsigned char> MakeReply(const ReplyPlan& plan, std::uint64_t nonce);

// The nonce a request carries (its transmit timestamp, bytes 40-47).
std::uint64_t NonceOfRequest(const unsigned char* request, std::size_t size);

// NTP seconds of a Unix time (modulo 2^32).
std::uint32_t NtpSecondsOf(std::int64_t unixSeconds);

}  // namespace clocktest
