#pragma once
// Everything the forms reach outside themselves, bundled for the composition root.
#include <functional>
#include <string>

#include "app/ports.h"
#include "app/settings_store.h"
#include "browser/browser_query.h"

namespace ui {

class TDlgAddList;
class TDlgReName;
class TDlgAbout;

// Modal dialogs: Win32 runs a real modal loop until the dialog closes; tests supply a script.
class IModal {
 public:
  virtual ~IModal() = default;
  virtual void RunModal(TDlgAddList& dialog) = 0;
  virtual void RunModal(TDlgReName& dialog) = 0;
  virtual void RunModal(TDlgAbout& dialog) = 0;
};

// The list view's in-place title editing, which only the real control can start.
class IListEditing {
 public:
  virtual ~IListEditing() = default;
  virtual void BeginTitleEdit(int index) = 0;
};

struct Ports {
  app::IDialogs& dialogs;
  app::IShell& shell;
  app::ITray& tray;
  app::IHelp& help;
  app::IApplication& application;
  app::ISound& sound;
  app::IFolders& folders;
  browser::IBrowserQuery& browser;
  IModal& modal;
  IListEditing& listEditing;
  const app::SettingsStore& settings;
  // One clock correction against a server text; returns the result text for the status bar.
  std::function<std::string(const std::string& server, const std::string& soundFile)> correctClock;
};

}  // namespace ui
