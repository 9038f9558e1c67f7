#pragma once
// Reading an Internet-shortcut file dropped on the main window.
#include <string>
#include <string_view>
#include <vector>

namespace browser {

// The entry title for a dropped file: the file name (after the last "\" or ":" that is not the
// second byte of a CP932 character) less its last four bytes (the ".url"), trimmed.
// A name of four bytes or fewer gives an empty title.
std::string TitleFromDroppedPath(std::string_view path);

// The address on one line that begins with "URL" (the line without its line end): from the
// first "http" on; then from a "file" found at position 2 to 7 on; trimmed. Any other line
// ("URL=ftp://...", a bare "URL") stays whole apart from the trimming.
std::string UrlFromShortcutLine(std::string_view line);

// The addresses of every line of text that begins with "URL" (case-sensitive), in order.
// Lines end at LF or CR LF and may be of any length; a line ends at a NUL byte in it, as a C
// string read from it would. Sections and keys play no part.
std::vector<std::string> UrlsFromShortcutText(std::string_view text);

struct ShortcutUrls {
  bool opened = false;            // false: the file could not be opened or read
  std::vector<std::string> urls;  // one per URL line, in file order; the last one wins
};

// Reads the file named by the CP932 path as an Internet shortcut. Only the URL lines are kept
// in memory, so dropping a large file of another kind costs no more than its longest URL line.
ShortcutUrls ReadShortcutUrls(const std::string& path);

}  // namespace browser
