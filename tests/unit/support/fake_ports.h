#pragma once
// Fakes of the program's ports that record what the logic asked for, and a fixture that builds
// the main window and the settings panel over a temporary program folder.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ports.h"
#include "app/settings_store.h"
#include "browser/browser_query.h"
#include "ui/config_dlg.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/ports.h"

namespace testing_support {

struct Box {
  std::string text, caption;
  unsigned flags;
  bool ownerless = false;
};

class FakeDialogs : public app::IDialogs {
 public:
  std::vector<Box> boxes;
  std::vector<std::string> messages, errors;
  std::vector<unsigned> beeps;
  std::vector<app::OpenFileRequest> fileRequests;
  std::optional<std::string> fileAnswer;
  std::vector<int> answers;  // answers of the next message boxes, in order; IdOk when none left
  std::vector<std::string> events;  // "box", "message", "beep", "error" in order

  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
    boxes.push_back({text, caption, flags});
    events.push_back("box");
    return NextAnswer();
  }
  int OwnerlessMessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
    boxes.push_back({text, caption, flags, true});
    events.push_back("box");
    return NextAnswer();
  }
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    events.push_back("message");
  }
  void ErrorBox(const std::string& message) override {
    errors.push_back(message);
    events.push_back("error");
  }
  std::optional<std::string> OpenFile(const app::OpenFileRequest& request) override {
    fileRequests.push_back(request);
    return fileAnswer;
  }
  void Beep(unsigned type) override {
    beeps.push_back(type);
    events.push_back("beep");
  }

 private:
  int NextAnswer() {
    if (answers.empty()) return app::IdOk;
    int a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
};

class FakeShell : public app::IShell {
 public:
  std::vector<std::string> opened;
  void Open(const std::string& target) override { opened.push_back(target); }
};

class FakeTray : public app::ITray {
 public:
  std::vector<std::string> calls;  // "add:TIP", "modify:TIP", "remove"
  bool present = false;
  std::string tip;
  void Add(const std::string& t) override {
    calls.push_back("add:" + t);
    present = true;
    tip = t;
  }
  void Modify(const std::string& t) override {
    calls.push_back("modify:" + t);
    tip = t;
  }
  void Remove() override {
    calls.push_back("remove");
    present = false;
  }
};

class FakeHelp : public app::IHelp {
 public:
  std::vector<int> topics;  // -1 for the contents
  void Contents() override { topics.push_back(-1); }
  void Context(int topic) override { topics.push_back(topic); }
};

class FakeApplication : public app::IApplication {
 public:
  std::vector<std::string> calls;
  bool terminated = false;
  void ShowApplicationWindow(ShowCommand command) override { calls.push_back("app:" + std::to_string(command)); }
  void ShowMainWindow() override { calls.push_back("show-main"); }
  void Terminate() override { terminated = true; }
};

class FakeSound : public app::ISound {
 public:
  std::vector<std::pair<std::string, unsigned>> played;
  std::function<void()> whilePlaying;
  void Play(const std::string& fileName, unsigned flags) override {
    played.emplace_back(fileName, flags);
    if (whilePlaying) whilePlaying();
  }
};

class FakeFolders : public app::IFolders {
 public:
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
};

class FakeBrowser : public browser::IBrowserQuery {
 public:
  std::vector<std::string> asked;
  std::function<browser::QueryResult(const std::string& service)> answer = [](const std::string&) {
    return browser::QueryResult{browser::QueryStatus::NoServer, {}};
  };
  browser::QueryResult Query(const std::string& service, std::size_t capacity) override {
    asked.push_back(service + ":" + std::to_string(capacity));
    return answer(service);
  }
};

// Modal dialogs run a script instead of a message loop.
class FakeModal : public ui::IModal {
 public:
  std::function<void(ui::TDlgAddList&)> addList = [](ui::TDlgAddList& d) { d.ButCancelClick(); };
  std::function<void(ui::TDlgReName&)> rename = [](ui::TDlgReName& d) { d.ButCancelClick(); };
  std::function<void(ui::TDlgAbout&)> about = [](ui::TDlgAbout& d) { d.Image1Click(); };
  int runs = 0;
  void RunModal(ui::TDlgAddList& d) override {
    ++runs;
    d.FormShow();
    addList(d);
  }
  void RunModal(ui::TDlgReName& d) override {
    ++runs;
    d.FormCreate();
    rename(d);
  }
  void RunModal(ui::TDlgAbout& d) override {
    ++runs;
    d.FormCreate();
    about(d);
  }
};

class FakeListEditing : public ui::IListEditing {
 public:
  std::vector<int> started;
  void BeginTitleEdit(int index) override { started.push_back(index); }
};

// A fresh temporary folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// The main window and the settings panel over a temporary program folder and Windows folder.
class Program {
 public:
  Program();
  // Writes list files and settings before Start.
  void List(const std::string& name, const std::string& bytes) { WriteBytes(dir / (name + ".ini"), bytes); }
  void SettingsText(const std::string& text) { WriteBytes(windows / "Tavrin.ini", text); }
  // FormCreate of the main window, then the panel's creation.
  void Start();
  std::string ListBytes(const std::string& name) const { return ReadBytes(dir / (name + ".ini")); }
  std::string SettingsBytes() const { return ReadBytes(windows / "Tavrin.ini"); }
  // Builds a list of entries "T0".."Tn-1" with URLs "u0".., opened and current at 0.
  void OpenEntries(int count);

  TempDir root;
  std::filesystem::path dir, windows, userStore;
  FakeDialogs dialogs;
  FakeShell shell;
  FakeTray tray;
  FakeHelp help;
  FakeApplication application;
  FakeSound sound;
  FakeFolders folders;
  FakeBrowser browser;
  FakeModal modal;
  FakeListEditing editing;
  app::SettingsStore store;
  std::vector<std::pair<std::string, std::string>> clockCalls;
  std::string clockResult = "時刻を修正しました [0秒]";
  ui::Ports ports;
  ui::TMainForm main;
  ui::TConfigDlg panel;
};

}  // namespace testing_support
