#pragma once
#include <string>

#include "core/profile.h"

namespace app {

inline constexpr const char* SettingsFileName = "Tavrin.ini";
inline constexpr const char* SettingsSection = "Tavrin";

// Every key of the settings file, with its default.
struct Settings {
  int X = 200;
  int Y = 200;
  int Width = 180;
  bool StatusBar = false;
  bool StatusText = false;
  int Height = 375;
  bool Top = true;
  bool Start = true;
  bool Show = true;
  std::string LastList = "List1.ini";
  int AutoEdit = 3;
  std::string NtpServer;
  std::string NtpSound;
  bool LastTop = true;
  bool LastMess = false;
  bool LastSound = false;
  bool LastExit = false;
};

// Reads the keys in the file's reading order; a missing key or an unusable value is the default.
Settings ReadSettings(const core::ProfileFile& file);

// Writes every key in the writing order and removes "MiniWidth" and "MiniHeight".
// settings.LastList is the name the caller chose (the start list or the open list).
void WriteSettings(core::ProfileFile& file, const Settings& settings);

}  // namespace app
