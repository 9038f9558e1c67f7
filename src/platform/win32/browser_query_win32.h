#pragma once
// The browser-query port over the platform's DDE client library (DDEML).
#include <cstddef>
#include <string>

#include "browser/browser_query.h"

namespace win32 {

class Win32BrowserQuery : public browser::IBrowserQuery {
 public:
  static constexpr unsigned long DefaultTimeoutMs = 10000;

  explicit Win32BrowserQuery(unsigned long timeoutMs = DefaultTimeoutMs) : timeoutMs_(timeoutMs) {}

  // One client instance and one conversation per call, each handle released before it returns.
  // Shows nothing: the caller reports a start failure.
  browser::QueryResult Query(const std::string& service, std::size_t capacity) override;

 private:
  unsigned long timeoutMs_;
};

}  // namespace win32
