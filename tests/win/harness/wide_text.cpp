#include "harness/wide_text.h"

#include <windows.h>

namespace harness {
namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Wide(std::string_view cp932) { return ToWide(932, cp932); }
std::string Cp932(std::wstring_view wide) { return FromWide(932, wide); }
std::string Utf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }
std::wstring WideFromUtf8(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf8FromCp932(std::string_view cp932) { return Utf8(Wide(cp932)); }

}  // namespace harness
