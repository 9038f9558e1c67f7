#pragma once
// Conversions between the program's CP932 texts, UTF-16 for the API, and UTF-8 for test messages.
#include <string>
#include <string_view>

namespace harness {

std::wstring Wide(std::string_view cp932);
std::string Cp932(std::wstring_view wide);
std::string Utf8(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);
// For readable failure messages: CP932 bytes shown as UTF-8.
std::string Utf8FromCp932(std::string_view cp932);

}  // namespace harness
