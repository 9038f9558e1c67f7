#include "harness/settings_file.h"

#include <windows.h>

#include <stdexcept>

#include "harness/program_folder.h"
#include "harness/wide_text.h"

namespace harness {
namespace {

bool SameAsciiIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      lines.push_back(bytes.substr(start, i - start));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

}  // namespace

std::wstring SettingsPath() {
  wchar_t buf[MAX_PATH + 1];
  UINT n = GetWindowsDirectoryW(buf, MAX_PATH + 1);
  std::wstring dir(buf, n);
  if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  return dir + L"\\Tavrin.ini";
}

std::wstring VirtualStoreSettingsPath() {
  wchar_t buf[32768];
  DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", buf, 32768);
  if (n == 0 || n >= 32768) return {};
  return std::wstring(buf, n) + L"\\VirtualStore\\Windows\\Tavrin.ini";
}

void RemoveSettings() {
  for (const std::wstring& path : {SettingsPath(), VirtualStoreSettingsPath()}) {
    if (path.empty()) continue;
    if (!RemoveTree(path)) throw std::runtime_error("cannot remove " + Utf8(path));
  }
}

void WriteSettings(std::string_view bytes) { WriteWholeFile(SettingsPath(), bytes); }

std::optional<std::string> ReadSettings() { return ReadWholeFile(SettingsPath()); }

std::vector<ProfileLine> SectionLines(std::string_view fileBytes, std::string_view section) {
  std::vector<ProfileLine> result;
  bool inSection = false;
  for (std::string_view line : SplitLines(fileBytes)) {
    std::string_view t = TrimBlanks(line);
    if (!t.empty() && t.front() == '[') {
      std::size_t close = t.find(']');
      inSection = close != std::string_view::npos && SameAsciiIgnoreCase(TrimBlanks(t.substr(1, close - 1)), section);
      continue;
    }
    if (!inSection || t.empty() || t.front() == ';') continue;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    result.push_back({std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))});
  }
  return result;
}

std::optional<std::string> ProfileValue(std::string_view fileBytes, std::string_view section,
                                        std::string_view key) {
  for (const ProfileLine& line : SectionLines(fileBytes, section)) {
    if (SameAsciiIgnoreCase(TrimBlanks(line.Key), key)) return std::string(TrimBlanks(line.Value));
  }
  return std::nullopt;
}

}  // namespace harness
