#pragma once
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The whole content of a regular file, or nothing when it cannot be opened or read
// (missing, a directory, no permission).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes bytes to a file by replacing it: a temporary file beside the target is written,
// flushed to disk and renamed over the target. On failure the previous file stays whole and
// the temporary file is removed. The writer can be replaced to test a failure midway.
using ChunkWriter = std::function<bool(std::FILE*, std::string_view)>;
bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes,
                 const ChunkWriter& writer = nullptr);

// Creates an empty file, or empties an existing one. False when it cannot be created.
bool CreateEmptyFile(const std::filesystem::path& path);

}  // namespace core
