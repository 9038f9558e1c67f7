#pragma once
// Splitting a browser's window-info reply into its quoted fields.
#include <string>
#include <string_view>

namespace browser {

struct WindowInfo {
  std::string url;    // first quoted field
  std::string title;  // second
  std::string third;  // third (the browser's window number); unused by the program
};

// Reads the reply byte by byte: one leading quote is skipped; a field runs to the next quote or
// the end; a CP932 lead byte takes the byte after it along unlooked at (a trail 0x5C is no
// escape); a backslash takes the next byte literally; every run of quotes and commas between
// fields is skipped, so empty fields vanish. Fields are kept whole, whatever their length.
// The text ends at its first NUL, as the reply text does; nothing is read past the end.
WindowInfo ParseWindowInfo(std::string_view reply);

}  // namespace browser
