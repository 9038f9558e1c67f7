// Internet-shortcut files dropped on the program's real main window: the window and the settings
// panel are built in this process as the program builds them, and a drop handle made the way the
// shell makes one (DROPFILES in moveable global memory, wide paths) arrives as a posted
// WM_DROPFILES. A drop handle cannot be handed to another process, so this is the way to give
// the real window a real drop.
// First: the platform's view of the Windows headers (no MessageBox macro).
#include "platform/win32/win_api.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../unit/support/fake_ports.h"
#include "core/text_path.h"
#include "harness/harness.h"
#include "platform/win32/app_win32.h"
#include "platform/win32/config_window.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/main_window.h"
#include "platform/win32/modal_win32.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

// A drop handle as the shell makes it: DROPFILES, then the wide paths, each NUL-terminated, and
// one more NUL.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& p : paths) names += p + L'\0';
  names += L'\0';
  const SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!memory) return nullptr;
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// The program's two long-lived windows over a fresh program folder, composed as at start-up.
class DropTest : public ::testing::Test {
 protected:
  DropTest()
      : store(Folder.Path() + L"\\windows", Folder.Path() + L"\\store"),
        ports{dialogs, shell, tray, help, application, sound, folders, browser, modal, listEditing, store,
              [](const std::string&, const std::string&) { return std::string(); }},
        form(ports, harness::Cp932(Folder.Path()) + "\\"),
        mainWindow(form) {}

  void SetUp() override {
    Folder.MakeDirectory("windows");
    ASSERT_TRUE(mainWindow.Create(nullptr));
    listEditing.SetListView(&mainWindow.UrlList());
    modal.SetMainWindow(mainWindow.Handle());
    form.FormCreate();
    config = std::make_unique<ui::TConfigDlg>(form);
    form.AttachConfigDlg(config.get());
    configWindow = std::make_unique<win::ConfigWindow>(*config, mainWindow.Handle());
    ShowWindow(mainWindow.Handle(), SW_SHOWNOACTIVATE);
  }

  void TearDown() override {
    configWindow.reset();
    form.AttachConfigDlg(nullptr);
    config.reset();
  }

  // Posts the drop and pumps until the list has grown; true when it did.
  bool Drop(HDROP drop) {
    EXPECT_NE(GlobalSize(drop), 0u);  // live until the window releases it
    const int before = form.LstURL.Count();
    PostMessageW(mainWindow.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    return harness::WaitUntil([&] { return form.LstURL.Count() == before + 1; }, 5000);
  }

  std::string PanelText(int id) { return harness::WindowText(GetDlgItem(configWindow->Handle(), id)); }

  harness::ProgramFolder Folder;
  FakeDialogs dialogs;
  FakeShell shell;
  FakeTray tray;
  FakeHelp help;
  FakeApplication application;
  FakeSound sound;
  FakeFolders folders;
  FakeBrowser browser;
  win::Win32Modal modal;
  win::Win32ListEditing listEditing;
  app::SettingsStore store;
  ui::Ports ports;
  ui::TMainForm form;
  win::MainWindow mainWindow;
  std::unique_ptr<ui::TConfigDlg> config;
  std::unique_ptr<win::ConfigWindow> configWindow;
};

TEST_F(DropTest, DroppedShortcutsAreAppendedAndTheirHandlesReleased) {
  struct Case {
    const char* name;      // file in the program folder (CP932)
    const char* contents;  // nullptr: the file does not exist
    const char* title;
    const char* url;
  };
  const Case cases[] = {
      {"Example Page.url", "[InternetShortcut]\r\nURL=http://example.jp/a?b=1\r\n", "Example Page",
       "http://example.jp/a?b=1"},
      {"日本語のページ.url", "[InternetShortcut]\r\nURL=file:///C:/docs/file.html\r\nIconIndex=0\r\n",
       "日本語のページ", "file:///C:/docs/file.html"},
      {"two.url", "URL=http://first/\r\n[InternetShortcut]\r\nURL=https://second/\r\n", "two", "https://second/"},
      {"nourl.url", "[InternetShortcut]\r\nurl=http://lower/\r\n", "nourl", ""},
      {"missing.url", nullptr, "missing", ""},
  };
  std::vector<std::pair<std::string, std::string>> expected;
  for (const Case& c : cases) {
    SCOPED_TRACE(harness::Utf8FromCp932(c.name));
    if (c.contents) Folder.WriteFile(c.name, c.contents);
    HDROP drop = MakeDrop({Folder.PathOf(c.name)});
    ASSERT_NE(drop, nullptr);
    ASSERT_TRUE(Drop(drop)) << "the drop appended no entry";
    expected.emplace_back(c.title, c.url);
    const int last = form.LstURL.Count() - 1;
    EXPECT_EQ(form.LstURL.Title(last), c.title);
    EXPECT_EQ(form.LstURL.Url(last), c.url);
    EXPECT_EQ(form.LstURL.Selected(), last);
    EXPECT_TRUE(form.ListDirty);
    // The panel's entry boxes got the title, and the URL when one was found.
    EXPECT_EQ(PanelText(IDC_CFG_EDTTITLE), c.title);
    if (*c.url) {
      EXPECT_EQ(PanelText(IDC_CFG_EDTURL), c.url);
    }
    // DragFinish freed the handle.
    SetLastError(0);
    EXPECT_EQ(GlobalSize(drop), 0u) << "the drop handle was not released";
  }
  std::vector<std::pair<std::string, std::string>> got;
  for (int i = 0; i < form.LstURL.Count(); ++i) got.emplace_back(form.LstURL.Title(i), form.LstURL.Url(i));
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(dialogs.boxes.empty() && dialogs.errors.empty()) << "a drop showed a message";
}

TEST_F(DropTest, OnlyTheFirstOfSeveralDroppedFilesIsRead) {
  Folder.WriteFile("first.url", "[InternetShortcut]\r\nURL=http://first/\r\n");
  Folder.WriteFile("second.url", "[InternetShortcut]\r\nURL=http://second/\r\n");
  HDROP drop = MakeDrop({Folder.PathOf("first.url"), Folder.PathOf("second.url")});
  ASSERT_TRUE(Drop(drop));
  harness::PumpFor(200);  // a second entry would have come by now
  ASSERT_EQ(form.LstURL.Count(), 1);
  EXPECT_EQ(form.LstURL.Title(0), "first");
  EXPECT_EQ(form.LstURL.Url(0), "http://first/");
  EXPECT_EQ(GlobalSize(drop), 0u) << "the drop handle was not released";
}

}  // namespace
