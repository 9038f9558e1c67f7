#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A profile (INI) file in memory, with the rules of the platform's profile API: section and key
// names match without regard to case, values read are trimmed and cut at 1023 bytes, lines that
// are not touched (other sections, foreign keys, comments) are kept as they were.
class ProfileFile {
 public:
  static constexpr std::size_t MaxValueLength = 1023;

  static ProfileFile Parse(std::string_view text);
  std::string Serialize() const;  // CR LF after every line

  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$"; anything else
  // (empty, not a whole number, out of the 32-bit range) gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  // Replaces the value of an existing key in place, or adds the key at the end of its section
  // (the section is added at the end of the file when missing).
  void Write(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void Remove(std::string_view section, std::string_view key);

 private:
  struct Line {
    std::string raw;
    std::string key;  // trimmed key name; empty for a line that is not a key
    std::string value;
  };
  struct Section {
    std::string name;  // trimmed name; the file's preamble has an empty name and no header
    bool hasHeader = false;
    std::vector<Line> lines;
  };
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  std::vector<Section> sections_;
};

// Parses an integer as the profile readers do; nothing when the text is not a whole number.
std::optional<int> ParseProfileInteger(std::string_view text);

}  // namespace core
