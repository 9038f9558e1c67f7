#include "core/profile.h"

#include "core/line_file.h"
#include "core/text.h"

namespace core {

namespace {

bool SameAsciiIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

ProfileFile ProfileFile::Parse(std::string_view text) {
  ProfileFile file;
  file.sections_.push_back(Section{});
  for (std::string& raw : SplitLines(text)) {
    std::string trimmed = Trim(raw);
    if (!trimmed.empty() && trimmed.front() == '[') {
      std::size_t close = trimmed.find(']');
      Section section;
      section.name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      section.hasHeader = true;
      section.lines.push_back(Line{std::move(raw), {}, {}});
      file.sections_.push_back(std::move(section));
      continue;
    }
    Line line{std::move(raw), {}, {}};
    std::size_t eq = line.raw.find('=');
    if (eq != std::string::npos && !trimmed.empty() && trimmed.front() != ';') {
      line.key = Trim(std::string_view(line.raw).substr(0, eq));
      line.value = std::string_view(line.raw).substr(eq + 1);
    }
    file.sections_.back().lines.push_back(std::move(line));
  }
  return file;
}

std::string ProfileFile::Serialize() const {
  std::vector<std::string> lines;
  for (const Section& section : sections_) {
    for (const Line& line : section.lines) lines.push_back(line.raw);
  }
  return JoinLines(lines);
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (section.hasHeader && SameAsciiIgnoreCase(section.name, name)) return &section;
  }
  return nullptr;
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const ProfileFile*>(this)->FindSection(name));
}

std::optional<std::string> ProfileFile::Read(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const Line& line : s->lines) {
    if (!line.key.empty() && SameAsciiIgnoreCase(line.key, key)) {
      std::string value = Trim(line.value);
      if (value.size() > MaxValueLength) value.resize(MaxValueLength);
      return value;
    }
  }
  return std::nullopt;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
  std::optional<std::string> value = Read(section, key);
  return value ? *value : std::string(def);
}

std::optional<int> ParseProfileInteger(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFLL) return std::nullopt;
  }
  if (base == 16 && !negative && value <= 0xFFFFFFFFLL) {
    return static_cast<int>(static_cast<unsigned>(value));  // hex may spell a negative number
  }
  if (negative) value = -value;
  if (value < -2147483648LL || value > 2147483647LL) return std::nullopt;
  return static_cast<int>(value);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  std::optional<std::string> text = Read(section, key);
  if (!text) return def;
  std::optional<int> value = ParseProfileInteger(*text);
  return value ? *value : def;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = FindSection(section);
  if (!s) {
    Section added;
    added.name = std::string(section);
    added.hasHeader = true;
    added.lines.push_back(Line{"[" + std::string(section) + "]", {}, {}});
    sections_.push_back(std::move(added));
    s = &sections_.back();
  }
  for (Line& line : s->lines) {
    if (!line.key.empty() && SameAsciiIgnoreCase(line.key, key)) {
      line.value = std::string(value);
      line.raw = line.key + "=" + line.value;
      return;
    }
  }
  // After the section's last non-blank line, so blank separator lines stay between sections.
  std::size_t at = s->lines.size();
  while (at > 1 && Trim(s->lines[at - 1].raw).empty()) --at;
  Line line{std::string(key) + "=" + std::string(value), std::string(key), std::string(value)};
  s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  Write(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  Write(section, key, value ? "1" : "0");
}

void ProfileFile::Remove(std::string_view section, std::string_view key) {
  Section* s = FindSection(section);
  if (!s) return;
  for (std::size_t i = 0; i < s->lines.size(); ++i) {
    if (!s->lines[i].key.empty() && SameAsciiIgnoreCase(s->lines[i].key, key)) {
      s->lines.erase(s->lines.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

}  // namespace core
