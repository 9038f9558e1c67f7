#include "app/settings_store.h"

#include <system_error>

#include "core/error.h"
#include "core/file_io.h"
#include "core/text.h"

namespace app {

namespace fs = std::filesystem;

SettingsStore::SettingsStore(fs::path windowsDir, fs::path virtualStoreDir)
    : machine_(windowsDir / SettingsFileName),
      user_(virtualStoreDir.empty() ? fs::path() : virtualStoreDir / SettingsFileName) {}

namespace {

core::ProfileFile LoadProfile(const fs::path& path) {
  std::optional<std::string> bytes = path.empty() ? std::nullopt : core::ReadWholeFile(path);
  return core::ProfileFile::Parse(bytes ? *bytes : std::string());
}

bool Exists(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec);
}

}  // namespace

Settings SettingsStore::Load() const {
  return ReadSettings(LoadProfile(Exists(user_) ? user_ : machine_));
}

void SettingsStore::Save(const Settings& settings) const {
  if (!Exists(user_)) {
    core::ProfileFile file = LoadProfile(machine_);
    WriteSettings(file, settings);
    if (core::ReplaceFile(machine_, file.Serialize())) return;
  }
  if (!user_.empty()) {
    // The per-user copy starts from the machine file, as the system's redirection does.
    core::ProfileFile file = LoadProfile(Exists(user_) ? user_ : machine_);
    WriteSettings(file, settings);
    std::error_code ec;
    fs::create_directories(user_.parent_path(), ec);
    if (core::ReplaceFile(user_, file.Serialize())) return;
  }
  throw core::Error(core::Format1("%s に書き込めません", SettingsFileName));
}

}  // namespace app
