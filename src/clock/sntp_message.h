#pragma once
// The 48-byte SNTP message (RFC 4330): the client request and the reading and checking of replies.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace timesync {

inline constexpr std::size_t SntpMessageSize = 48;
using SntpRequest = std::array<unsigned char, SntpMessageSize>;

// 0x0B (leap 0, version 1, mode 3), zeros, and the nonce as the transmit timestamp: the server
// copies it into the originate field of its reply, which is how a reply is recognised as ours.
SntpRequest BuildRequest(std::uint64_t nonce);

struct SntpReply {
  unsigned leap = 0;     // bits 7-6 of byte 0
  unsigned version = 0;  // bits 5-3
  unsigned mode = 0;     // bits 2-0
  unsigned stratum = 0;
  std::uint32_t referenceId = 0;  // the kiss code when stratum is 0
  std::uint64_t originate = 0;
  std::uint32_t transmitSeconds = 0;   // NTP seconds since 1900 (modulo 2^32)
  std::uint32_t transmitFraction = 0;  // units of 2^-32 s
};

// The fields of a datagram of at least 48 bytes (bytes past 48, e.g. a MAC, are ignored);
// nothing for a shorter one.
std::optional<SntpReply> DecodeReply(const unsigned char* data, std::size_t size);

enum class ReplyVerdict {
  Usable,   // the server's time may be used
  NotOurs,  // not a server reply to our request: ignore it and keep waiting
  Denied,   // Kiss-o'-Death (stratum 0)
  Invalid,  // unsynchronised server, impossible stratum or no transmit time
};

ReplyVerdict JudgeReply(const SntpReply& reply, std::uint64_t nonce);

// NTP seconds to Unix seconds. Values with the top bit clear belong to the era that starts in
// 2036, so the result runs from 1968 to 2104.
std::int64_t NtpSecondsToUnix(std::uint32_t ntpSeconds);

// Whole milliseconds of a timestamp fraction, rounded down (0-999).
unsigned FractionToMilliseconds(std::uint32_t fraction);

}  // namespace timesync
