#include "support/ntp_reply.h"

namespace clocktest {

namespace {

void Put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

}  // namespace

std::vector<unsigned char> MakeReply(const ReplyPlan& plan, std::uint64_t nonce) {
  std::vector<unsigned char> out(plan.size < 48 ? 48 : plan.size, 0);
  out[0] = static_cast<unsigned char>((plan.leap & 3u) << 6 | (plan.version & 7u) << 3 |
                                      (plan.mode & 7u));
  out[1] = static_cast<unsigned char>(plan.stratum);
  out[2] = 6;     // poll
  out[3] = 0xE9;  // precision
  for (std::size_t i = 0; i < 4 && i < plan.kissCode.size(); ++i) {
    out[12 + i] = static_cast<unsigned char>(plan.kissCode[i]);
  }
  Put32(out, 16, plan.transmitSeconds);  // reference time: close to the transmit time
  const std::uint64_t originate = nonce ^ plan.originateXor;
  Put32(out, 24, static_cast<std::uint32_t>(originate >> 32));
  Put32(out, 28, static_cast<std::uint32_t>(originate));
  Put32(out, 32, plan.transmitSeconds);
  Put32(out, 36, plan.transmitFraction);
  Put32(out, 40, plan.transmitSeconds);
  Put32(out, 44, plan.transmitFraction);
  out.resize(plan.size);
  return out;
}

std::uint64_t NonceOfRequest(const unsigned char* request, std::size_t size) {
  std::uint64_t nonce = 0;
  for (std::size_t i = 40; i < 48 && i < size; ++i) nonce = nonce << 8 | request[i];
  return nonce;
}

std::uint32_t NtpSecondsOf(std::int64_t unixSeconds) {
  return static_cast<std::uint32_t>(unixSeconds + 2208988800LL);
}

}  // namespace clocktest
