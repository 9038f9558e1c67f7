#pragma once
#include <filesystem>

#include "app/settings.h"

namespace app {

// Where the settings file lives: "Tavrin.ini" in the Windows directory, as the profile API
// places a bare name. A standard user of a modern Windows may not write there; as Windows itself
// does for old programs, the per-user copy under VirtualStore is read when it exists and written
// when the Windows directory refuses the write.
class SettingsStore {
 public:
  SettingsStore(std::filesystem::path windowsDir, std::filesystem::path virtualStoreDir);

  Settings Load() const;
  // Writes every key over the current file's content (foreign keys kept). Throws core::Error
  // "Tavrin.ini に書き込めません" when neither place takes the file.
  void Save(const Settings& settings) const;

  const std::filesystem::path& MachinePath() const { return machine_; }
  const std::filesystem::path& UserPath() const { return user_; }

 private:
  std::filesystem::path machine_;
  std::filesystem::path user_;  // empty when there is no per-user store
};

}  // namespace app
