#pragma once
// A real NTP server for the tests: chronyd serving on a free port of 127.0.0.1, never touching
// the machine's clock (-x), with its files in a temporary directory.
#include <sys/types.h>

#include <cstdint>
#include <string>

namespace clocktest {

class ChronyServer {
 public:
  ChronyServer() = default;
  ~ChronyServer();  // stops chronyd and removes its directory
  ChronyServer(const ChronyServer&) = delete;
  ChronyServer& operator=(const ChronyServer&) = delete;

  // Starts chronyd and waits (at most a few seconds) until it answers. Returns an empty text on
  // success, else why it could not be started.
  std::string Start();
  std::uint16_t Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  std::uint16_t port_ = 0;
  std::string directory_;
};

}  // namespace clocktest
