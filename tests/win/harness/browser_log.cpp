#include "harness/browser_log.h"

#include "harness/program_folder.h"

namespace harness {

std::wstring BrowserLogPath() {
  wchar_t buf[32768];
  DWORD n = GetEnvironmentVariableW(L"TAVRIN_BROWSER_LOG", buf, 32768);
  if (n > 0 && n < 32768) return std::wstring(buf, n);
  return L"C:\\tavrin-browser.log";
}

std::vector<std::string> BrowserLaunches() {
  std::vector<std::string> lines;
  std::string bytes = ReadWholeFile(BrowserLogPath()).value_or("");
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) break;  // a line still being written
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

void ClearBrowserLaunches() { WriteWholeFile(BrowserLogPath(), ""); }

std::vector<std::string> WaitForBrowserLaunches(std::size_t count, DWORD timeoutMs) {
  std::vector<std::string> lines;
  WaitUntil([&] { return (lines = BrowserLaunches()).size() >= count; }, timeoutMs, 50);
  return lines;
}

}  // namespace harness
