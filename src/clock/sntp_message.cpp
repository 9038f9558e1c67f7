#include "clock/sntp_message.h"

namespace timesync {

namespace {

constexpr std::int64_t NtpToUnixOffset = 2208988800;  // 1900-01-01 to 1970-01-01

std::uint32_t Read32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

}  // namespace

SntpRequest BuildRequest(std::uint64_t nonce) {
  SntpRequest request{};
  request[0] = 0x0B;
  for (int i = 0; i < 8; ++i) request[40 + i] = static_cast<unsigned char>(nonce >> (56 - 8 * i));
  return request;
}

std::optional<SntpReply> DecodeReply(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size < SntpMessageSize) return std::nullopt;
  SntpReply reply;
  reply.leap = data[0] >> 6;
  reply.version = (data[0] >> 3) & 7u;
  reply.mode = data[0] & 7u;
  reply.stratum = data[1];
  reply.referenceId = Read32(data + 12);
  reply.originate = static_cast<std::uint64_t>(Read32(data + 24)) << 32 | Read32(data + 28);
  reply.transmitSeconds = Read32(data + 40);
  reply.transmitFraction = Read32(data + 44);
  return reply;
}

ReplyVerdict JudgeReply(const SntpReply& reply, std::uint64_t nonce) {
  if (reply.mode != 4 || reply.version < 1 || reply.version > 4 || reply.originate != nonce) {
    return ReplyVerdict::NotOurs;
  }
  // A kiss usually also carries leap 3, so the stratum is looked at first.
  if (reply.stratum == 0) return ReplyVerdict::Denied;
  if (reply.leap == 3 || reply.stratum > 15 ||
      (reply.transmitSeconds == 0 && reply.transmitFraction == 0)) {
    return ReplyVerdict::Invalid;
  }
  return ReplyVerdict::Usable;
}

std::int64_t NtpSecondsToUnix(std::uint32_t ntpSeconds) {
  const std::int64_t era = (ntpSeconds & 0x80000000u) ? 0 : (std::int64_t{1} << 32);
  return era + ntpSeconds - NtpToUnixOffset;
}

unsigned FractionToMilliseconds(std::uint32_t fraction) {
  return static_cast<unsigned>((static_cast<std::uint64_t>(fraction) * 1000) >> 32);
}

}  // namespace timesync
