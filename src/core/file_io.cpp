#include "core/file_io.h"

#include <atomic>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace core {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return std::nullopt;
#ifdef _WIN32
  std::FILE* f = _wfopen(path.c_str(), L"rb");
#else
  std::FILE* f = std::fopen(path.c_str(), "rb");
#endif
  if (!f) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  bool ok = true;
  for (;;) {
    std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
    bytes.append(buffer, n);
    if (n < sizeof buffer) {
      ok = !std::ferror(f);
      break;
    }
  }
  std::fclose(f);
  if (!ok) return std::nullopt;
  return bytes;
}

namespace {

std::FILE* OpenForWriting(const fs::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

bool FlushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

}  // namespace

bool ReplaceFile(const fs::path& target, std::string_view bytes, const ChunkWriter& writer) {
  static std::atomic<unsigned> counter{0};
  fs::path temp = target;
  temp += ".tmp" + std::to_string(counter++);
  std::FILE* f = OpenForWriting(temp);
  if (!f) return false;
  bool ok = writer ? writer(f, bytes)
                   : (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
  ok = FlushToDisk(f) && ok;
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) {
    fs::rename(temp, target, ec);
    if (!ec) return true;
  }
  fs::remove(temp, ec);
  return false;
}

bool CreateEmptyFile(const fs::path& path) {
  std::FILE* f = OpenForWriting(path);
  if (!f) return false;
  return std::fclose(f) == 0;
}

}  // namespace core
