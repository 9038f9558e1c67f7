#pragma once
#include <filesystem>
#include <string>

namespace core {

// File names and paths are CP932 text inside the program; these convert at the file-system edge.
std::filesystem::path PathFromText(const std::string& text);
std::string TextFromPath(const std::filesystem::path& path);

}  // namespace core
