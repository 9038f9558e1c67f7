#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Splits text into lines: a line ends at CR LF, a lone CR or a lone LF; the last line needs no
// line end; a NUL ends the text. Lines may be of any length.
std::vector<std::string> SplitLines(std::string_view text);

// Joins lines, each followed by CR LF (the last one included). No lines give no bytes.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace core
