#include "support/clock_chrony.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

namespace clocktest {

namespace {

std::string FindChronyd() {
  std::vector<std::string> dirs = {"/usr/sbin", "/sbin", "/usr/local/sbin"};
  if (const char* path = std::getenv("PATH")) {
    std::stringstream in(path);
    for (std::string dir; std::getline(in, dir, ':');) dirs.push_back(dir);
  }
  for (const std::string& dir : dirs) {
    const std::string candidate = dir + "/chronyd";
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

// A UDP port on 127.0.0.1 that nothing uses at this moment.
std::uint16_t FreeLoopbackPort() {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return 0;
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof sa;
  std::uint16_t port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &size) == 0) {
    port = ntohs(sa.sin_port);
  }
  close(fd);
  return port;
}

// One client request to 127.0.0.1:port; true when any answer came within timeoutMs.
bool Answers(std::uint16_t port, int timeoutMs) {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return false;
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  sa.sin_port = htons(port);
  unsigned char request[48] = {0x23};  // version 4, client
  request[47] = 1;
  bool answered = false;
  if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 &&
      send(fd, request, sizeof request, 0) == static_cast<ssize_t>(sizeof request)) {
    pollfd p{fd, POLLIN, 0};
    unsigned char reply[512];
    answered = poll(&p, 1, timeoutMs) > 0 && recv(fd, reply, sizeof reply, 0) >= 48;
  }
  close(fd);
  return answered;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string ChronyServer::Start() {
  const std::string chronyd = FindChronyd();
  if (chronyd.empty()) {
    return "chronyd was not found: the clock tests need a real NTP server (install the "
           "'chrony' package)";
  }
  char pattern[] = "/tmp/tavrin-chrony-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return "could not create a temporary directory";
  directory_ = pattern;
  port_ = FreeLoopbackPort();
  if (port_ == 0) return "no free UDP port on 127.0.0.1";

  const std::string config = directory_ + "/chrony.conf";
  const std::string log = directory_ + "/chronyd.log";
  std::ofstream(config) << "port " << port_ << "\n"
                        << "bindaddress 127.0.0.1\n"
                        << "allow 127.0.0.1\n"
                        << "local stratum 8\n"
                        << "cmdport 0\n"
                        << "pidfile " << directory_ << "/chronyd.pid\n"
                        << "driftfile " << directory_ << "/chrony.drift\n";

  // -x: never touch the clock; -d: stay in the foreground and log to stderr.
  std::vector<std::string> args = {chronyd, "-x", "-d", "-f", config};
  if (geteuid() == 0) {
    args.push_back("-u");  // keep root so that the files in our directory stay writable
    args.push_back("root");
  }
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  const int spawned = posix_spawn(&pid_, chronyd.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    return "could not start " + chronyd;
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return "chronyd exited at start: " + ReadFile(log);
    }
    if (Answers(port_, 200)) return {};
  }
  return "chronyd did not answer on 127.0.0.1:" + std::to_string(port_) + ": " + ReadFile(log);
}

ChronyServer::~ChronyServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  if (!directory_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
}

}  // namespace clocktest
