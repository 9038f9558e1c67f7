#include "support/fake_ports.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace testing_support {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  path_ = fs::temp_directory_path() /
          ("tavrin-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

static fs::path Made(const fs::path& p) {
  fs::create_directories(p);
  return p;
}

Program::Program()
    : dir(Made(root / "prog")),
      windows(Made(root / "windows")),
      userStore(root / "store"),
      store(windows, userStore),
      ports{dialogs, shell, tray, help, application, sound, folders, browser, modal, editing, store,
            [this](const std::string& server, const std::string& sound) {
              clockCalls.emplace_back(server, sound);
              return clockResult;
            }},
      main(ports, dir.string() + "/"),
      panel(main) {
  main.AttachConfigDlg(&panel);
}

void Program::Start() {
  main.FormCreate();
  panel.FormCreate();
}

void Program::OpenEntries(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += "T" + std::to_string(i) + "\r\nu" + std::to_string(i) + "\r\n";
  List("L", bytes);
  SettingsText("[Tavrin]\r\nLastList=L\r\n");
  Start();
}

}  // namespace testing_support
