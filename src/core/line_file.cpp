#include "core/line_file.h"

#include <cstring>

namespace core {

std::vector<std::string> SplitLines(std::string_view text) {
  if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
    text = text.substr(0, static_cast<const char*>(nul) - text.data());
  }
  std::vector<std::string> lines;
  std::size_t pos = 0;
  const std::size_t n = text.size();
  while (pos < n) {
    std::size_t end = pos;
    while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(pos, end - pos));
    if (end == n) break;
    pos = (text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ? end + 2 : end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace core
