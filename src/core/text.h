#pragma once
#include <string>
#include <string_view>

namespace core {

// True for a first byte of a double-byte character in code page 932.
bool IsLeadByte(unsigned char b);

// Removes every leading and trailing byte of value 32 or less.
std::string Trim(std::string_view s);

// Compares list names ignoring case as the Japanese locale does: ASCII letters and full-width
// Latin letters fold to their capitals (each within its own width). <0, 0, >0.
int CompareNameIgnoreCase(std::string_view a, std::string_view b);
inline bool SameNameIgnoreCase(std::string_view a, std::string_view b) {
  return CompareNameIgnoreCase(a, b) == 0;
}

// The first n bytes of s, or s whole when shorter.
std::string FirstBytes(std::string_view s, std::size_t n);

// Drops a lead byte left alone at the end (a double-byte character cut in half).
std::string DropDanglingLeadByte(std::string_view s);

// The part of a path after its last "\\" or ":" (a trail byte 0x5C of a double-byte character
// does not count).
std::string FileNamePart(std::string_view path);

// atol: leading white space, an optional sign, decimal digits up to the first non-digit.
long long AtoL(std::string_view s);

// Replaces every "%s" of pattern with arg.
std::string Format1(std::string_view pattern, std::string_view arg);

}  // namespace core
