#pragma once
// Texts are CP932 inside the program and UTF-16 only at the API call.
#include <string>

namespace win {

// CP932 to UTF-16; a lead byte left alone at the end (a cut character) is dropped.
std::wstring Widen(const std::string& cp932);
// UTF-16 to CP932; a character CP932 cannot hold becomes '?'.
std::string Narrow(const std::wstring& text);
std::string Narrow(const wchar_t* text);

}  // namespace win
