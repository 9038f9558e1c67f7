#pragma once
// The server setting: a host, optionally followed by ":" and a port number.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace timesync {

inline constexpr std::uint16_t DefaultServerPort = 123;

struct ServerAddress {
  std::string host;  // the text before the first colon, or the whole text
  std::uint16_t port = DefaultServerPort;
};

// Splits at the first colon; the port is the atol value of everything after it, modulo 65536.
// Texts of any length are accepted.
ServerAddress ParseServerText(std::string_view text);

// An IPv4 address written as four decimal numbers 0-255 separated by dots, as a 32-bit number in
// host order (a.b.c.d is a<<24 | b<<16 | c<<8 | d). Anything else is left to the name lookup.
std::optional<std::uint32_t> ParseDottedIPv4(std::string_view text);

}  // namespace timesync
