#pragma once
// The settings file "Tavrin.ini" in the Windows directory, shared by every scenario of a run: each
// scenario starts by removing it. The per-user VirtualStore copy is handled alongside, since the
// program reads that copy first when it exists.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace harness {

std::wstring SettingsPath();              // <Windows directory>\Tavrin.ini
std::wstring VirtualStoreSettingsPath();  // %LOCALAPPDATA%\VirtualStore\Windows\Tavrin.ini

// Removes both copies. Throws std::runtime_error when one stays.
void RemoveSettings();
// Writes the Windows directory's copy with exactly these bytes.
void WriteSettings(std::string_view bytes);
// The Windows directory's copy as raw bytes; nullopt when there is none.
std::optional<std::string> ReadSettings();

// One "key=value" line of a profile file, as written (name and value untrimmed apart from the
// line end).
struct ProfileLine {
  std::string Key;
  std::string Value;
  bool operator==(const ProfileLine&) const = default;
};

// The key lines of one section in file order (section name compared ignoring ASCII case). An
// independent reader, so the tests do not trust the program's own profile code.
std::vector<ProfileLine> SectionLines(std::string_view fileBytes, std::string_view section);
// The value of key in section (key compared ignoring ASCII case), nullopt when absent.
std::optional<std::string> ProfileValue(std::string_view fileBytes, std::string_view section,
                                        std::string_view key);

}  // namespace harness
