#include "browser/shortcut_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/text.h"
#include "core/text_path.h"

namespace browser {

std::string TitleFromDroppedPath(std::string_view path) {
  const std::string name = core::FileNamePart(path);  // a trail byte 0x5C is no separator
  if (name.size() <= 4) return std::string();
  return core::Trim(std::string_view(name).substr(0, name.size() - 4));
}

std::string UrlFromShortcutLine(std::string_view line) {
  const std::size_t http = line.find("http");
  if (http != std::string_view::npos) line.remove_prefix(http);
  // "URL=file:" puts "file" at position 5; an http(s) address has any "file" at 8 or later.
  const std::size_t file = line.find("file");
  if (file != std::string_view::npos && file >= 1 && file <= 6) line.remove_prefix(file);
  return core::Trim(line);
}

namespace {

// Collects URL lines from bytes fed in pieces; other lines are looked at only for their start.
class UrlLineCollector {
 public:
  void Feed(std::string_view bytes) {
    for (char b : bytes) {
      if (b == '\n') {
        EndLine();
      } else if (length_ < 3) {
        head_ += b;
        ++length_;
        if (length_ == 3) keeping_ = head_ == "URL";
      } else {
        ++length_;
        if (keeping_) head_ += b;
      }
    }
  }

  std::vector<std::string> Finish() {
    if (length_ > 0) EndLine();  // a last line without a line end
    return std::move(urls_);
  }

 private:
  void EndLine() {
    if (keeping_) {
      std::string_view line = head_;
      const std::size_t nul = line.find('\0');
      if (nul != std::string_view::npos) line = line.substr(0, nul);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      urls_.push_back(UrlFromShortcutLine(line));
    }
    head_.clear();
    length_ = 0;
    keeping_ = false;
  }

  std::string head_;  // the first three bytes of the line; the whole line when it is kept
  std::size_t length_ = 0;
  bool keeping_ = false;
  std::vector<std::string> urls_;
};

std::FILE* OpenForReading(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

}  // namespace

std::vector<std::string> UrlsFromShortcutText(std::string_view text) {
  UrlLineCollector collector;
  collector.Feed(text);
  return collector.Finish();
}

ShortcutUrls ReadShortcutUrls(const std::string& path) {
  ShortcutUrls result;
  const std::filesystem::path fsPath = core::PathFromText(path);
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(fsPath, ec)) return result;
  std::FILE* f = OpenForReading(fsPath);
  if (!f) return result;

  UrlLineCollector collector;
  char buffer[1 << 14];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) collector.Feed({buffer, n});
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return result;  // unreadable midway: as a file that cannot be opened

  result.opened = true;
  result.urls = collector.Finish();
  return result;
}

}  // namespace browser
