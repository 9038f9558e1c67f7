#pragma once
// Asking a running browser which page it shows (the browser DDE interface).
#include <cstddef>
#include <string>

namespace browser {

enum class QueryStatus {
  Ok,            // the browser answered with data (possibly zero bytes)
  StartFailed,   // the DDE layer did not start
  NoServer,      // no server of that service answered the connection
  NoData,        // the request brought no data (failed or timed out)
};

struct QueryResult {
  QueryStatus status = QueryStatus::NoServer;
  std::string text;  // the reply up to its first NUL, at most capacity bytes
};

class IBrowserQuery {
 public:
  virtual ~IBrowserQuery() = default;
  // One conversation on the topic "WWW_GetWindowInfo" with the given service.
  virtual QueryResult Query(const std::string& service, std::size_t capacity) = 0;
};

}  // namespace browser
