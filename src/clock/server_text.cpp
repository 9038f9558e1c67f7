#include "clock/server_text.h"

#include "core/text.h"

namespace timesync {

ServerAddress ParseServerText(std::string_view text) {
  ServerAddress result;
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) {
    result.host = std::string(text);
    return result;
  }
  result.host = std::string(text.substr(0, colon));
  // Only the low 16 bits count, so a wrapped or negative value still gives a port.
  const auto value = static_cast<unsigned long long>(core::AtoL(text.substr(colon + 1)));
  result.port = static_cast<std::uint16_t>(value & 0xFFFFu);
  return result;
}

std::optional<std::uint32_t> ParseDottedIPv4(std::string_view text) {
  std::uint32_t address = 0;
  std::size_t i = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (i >= text.size() || text[i] != '.') return std::nullopt;
      ++i;
    }
    const std::size_t start = i;
    unsigned value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3) {
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
      ++i;
    }
    if (i == start || value > 255) return std::nullopt;
    address = (address << 8) | value;
  }
  if (i != text.size()) return std::nullopt;
  return address;
}

}  // namespace timesync
