// Host build: paths carry the program's bytes unchanged.
#include "core/text_path.h"

namespace core {

std::filesystem::path PathFromText(const std::string& text) { return std::filesystem::path(text); }
std::string TextFromPath(const std::filesystem::path& path) { return path.string(); }

}  // namespace core
