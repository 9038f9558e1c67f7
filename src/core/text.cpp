#include "core/text.h"

#include <vector>

namespace core {

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::string Trim(std::string_view s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && static_cast<unsigned char>(s[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(s[end - 1]) <= 32) --end;
  return std::string(s.substr(begin, end - begin));
}

namespace {

// One character as a comparison unit: a single byte, or lead << 8 | trail, case folded.
std::vector<unsigned> FoldedUnits(std::string_view s) {
  std::vector<unsigned> units;
  units.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(b) && i + 1 < s.size()) {
      unsigned char t = static_cast<unsigned char>(s[++i]);
      // Full-width a-z (0x8281-0x829A) fold onto full-width A-Z (0x8260-0x8279).
      if (b == 0x82 && t >= 0x81 && t <= 0x9A) t = static_cast<unsigned char>(t - 0x21);
      units.push_back(0x10000u | (unsigned(b) << 8) | t);
    } else {
      if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 32);
      units.push_back(b);
    }
  }
  return units;
}

}  // namespace

int CompareNameIgnoreCase(std::string_view a, std::string_view b) {
  std::vector<unsigned> ua = FoldedUnits(a), ub = FoldedUnits(b);
  std::size_t n = ua.size() < ub.size() ? ua.size() : ub.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (ua[i] != ub[i]) return ua[i] < ub[i] ? -1 : 1;
  }
  if (ua.size() == ub.size()) return 0;
  return ua.size() < ub.size() ? -1 : 1;
}

std::string FirstBytes(std::string_view s, std::size_t n) {
  return std::string(s.substr(0, n < s.size() ? n : s.size()));
}

std::string DropDanglingLeadByte(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
      if (i + 1 >= s.size()) return std::string(s.substr(0, i));
      i += 2;
    } else {
      ++i;
    }
  }
  return std::string(s);
}

std::string FileNamePart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(b)) {
      ++i;
    } else if (b == '\\' || b == ':') {
      start = i + 1;
    }
  }
  return std::string(path.substr(start));
}

long long AtoL(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned long long value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 + static_cast<unsigned>(s[i] - '0');  // wraps like the C library's long
  }
  return negative ? -static_cast<long long>(value) : static_cast<long long>(value);
}

std::string Format1(std::string_view pattern, std::string_view arg) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
      out += arg;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace core
