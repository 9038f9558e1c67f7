// Windows build: CP932 text and UTF-16 paths, converted explicitly with code page 932 so that the
// program behaves the same on a Windows of any language.
#include "core/text_path.h"

#include <cwchar>

#include "core/text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_api.h"

namespace win {

std::wstring Widen(const std::string& cp932) {
  const std::string text = core::DropDanglingLeadByte(cp932);
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(932, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(932, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const char replacement[] = "?";
  const int length = WideCharToMultiByte(932, 0, text.data(), size, nullptr, 0, replacement, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(932, 0, text.data(), size, narrow.data(), length, replacement, nullptr);
  return narrow;
}

std::string Narrow(const wchar_t* text) { return text ? Narrow(std::wstring(text)) : std::string(); }

}  // namespace win

namespace core {

std::filesystem::path PathFromText(const std::string& text) { return std::filesystem::path(win::Widen(text)); }
std::string TextFromPath(const std::filesystem::path& path) { return win::Narrow(path.wstring()); }

}  // namespace core
