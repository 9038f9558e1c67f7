// Start-up, the single instance, the settings file and the list files, against the real
// Tavrin.exe in a fresh program folder.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness/tavrin_test.h"
#include "platform/win32/control_ids.h"

using namespace harness;

namespace {

class StartupTest : public TavrinTest {
 protected:
  // The main window once the list chooser holds its items.
  HWND StartReady() {
    HWND main = StartApp();
    if (!main) return nullptr;
    if (!WaitUntil([&] {
          HWND combo = FindChild(main, IDC_MAIN_CMBLIST);
          return combo && ComboCount(combo) > 0;
        })) {
      ADD_FAILURE() << "the list chooser never filled";
      return nullptr;
    }
    return main;
  }
};

TEST_F(StartupTest, FirstStartInAnEmptyFolderCreatesTheDefaultList) {
  HWND main = StartReady();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Folder.Exists("List1.ini"));
  EXPECT_EQ(Folder.ReadFile("List1.ini").value_or("missing"), "");
  HWND combo = FindChild(main, IDC_MAIN_CMBLIST);
  EXPECT_EQ(ComboCount(combo), 1);
  EXPECT_EQ(ComboItemText(combo, 0), "List1");
  EXPECT_EQ(WindowText(combo), "List1");
  EXPECT_EQ(WindowText(main), "Tavrin");
  CloseApp();
}

TEST_F(StartupTest, WithoutSettingsTheFirstSortedListOpens) {
  Folder.WriteFile("B.ini", "Bee\r\nhttp://b.invalid/\r\n");
  Folder.WriteFile("a.ini", "Ay\r\nhttp://a.invalid/\r\nAy2\r\nhttp://a2.invalid/\r\n");
  HWND main = StartReady();
  ASSERT_NE(main, nullptr);
  HWND combo = FindChild(main, IDC_MAIN_CMBLIST);
  EXPECT_EQ(WindowText(combo), "a");
  HWND list = FindChild(main, IDC_MAIN_LSTURL);
  ASSERT_TRUE(WaitUntil([&] { return ListViewCount(list) == 2; }));
  EXPECT_EQ(ListViewText(list, 0, 0), "Ay");
  EXPECT_EQ(ListViewText(list, 1, 1), "http://a2.invalid/");
  EXPECT_FALSE(Folder.Exists("List1.ini"));
  CloseApp();
  EXPECT_EQ(ProfileValue(ReadSettings().value_or(""), "Tavrin", "LastList").value_or(""), "a");
}

TEST_F(StartupTest, ASecondInstanceEndsAtOnceAndLeavesTheFirstAlone) {
  HWND main = StartReady();
  ASSERT_NE(main, nullptr);
  const RECT before = WindowRect(main);
  const bool visibleBefore = IsVisible(main);
  TavrinProcess second;
  const ULONGLONG started = GetTickCount64();
  ASSERT_TRUE(second.Start(Folder)) << Utf8(second.LastError());
  std::optional<DWORD> code = second.WaitForExit();
  ASSERT_TRUE(code.has_value()) << "the second instance did not end";
  EXPECT_EQ(*code, 0u);
  // Not asserted (the machine's load is not the program's behaviour), but worth seeing.
  std::printf("second instance ended after %llu ms\n", GetTickCount64() - started);
  EXPECT_TRUE(App.Running());
  const RECT after = WindowRect(main);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(IsVisible(main), visibleBefore);
  CloseApp();
}

TEST_F(StartupTest, ClosingWritesEveryKeyInOrderDropsMiniSizesKeepsForeignKeys) {
  WriteSettings("[Tavrin]\r\nMiniWidth=100\r\nForeign=kept\r\nMiniHeight=200\r\n[Other]\r\nZ=1\r\n");
  ASSERT_NE(StartReady(), nullptr);
  CloseApp();
  std::optional<std::string> text = ReadSettings();
  ASSERT_TRUE(text.has_value());
  std::vector<std::string> keys;
  for (const ProfileLine& line : SectionLines(*text, "Tavrin")) {
    if (line.Key != "Foreign") keys.push_back(line.Key);
  }
  const std::vector<std::string> expected = {"X", "Y", "Width", "Height", "Top", "Start", "Show", "StatusBar",
                                             "StatusText", "AutoEdit", "NtpServer", "NtpSound", "LastList",
                                             "LastTop", "LastMess", "LastSound", "LastExit"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(ProfileValue(*text, "Tavrin", "Foreign").value_or(""), "kept");
  EXPECT_EQ(ProfileValue(*text, "Other", "Z").value_or(""), "1");
  EXPECT_FALSE(ProfileValue(*text, "Tavrin", "MiniWidth").has_value());
  EXPECT_FALSE(ProfileValue(*text, "Tavrin", "MiniHeight").has_value());
  EXPECT_EQ(ProfileValue(*text, "Tavrin", "X").value_or(""), "200");
  EXPECT_EQ(ProfileValue(*text, "Tavrin", "Width").value_or(""), "180");
  EXPECT_EQ(ProfileValue(*text, "Tavrin", "Top").value_or(""), "1");
}

TEST_F(StartupTest, AChangedListIsWrittenWithCrLfAfterEveryLine) {
  Folder.WriteFile("L.ini", "One\nhttp://one.invalid/\nTwo\nhttp://two.invalid/");
  WriteSettings("[Tavrin]\r\nLastList=L\r\n");
  HWND main = StartReady();
  ASSERT_NE(main, nullptr);
  // Deleting from the URL list's menu marks the list changed even when the answer is No.
  PostCommand(main, IDM_LIST_DEL);
  HWND box = App.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Oneを削除してもよろしいですか?");
  ASSERT_TRUE(AnswerMessageBox(box, IDNO));
  ASSERT_TRUE(WaitUntil([&] { return App.FindWindowOfClass(L"#32770") == nullptr; }));
  CloseApp();
  EXPECT_EQ(Folder.ReadFile("L.ini").value_or(""), "One\r\nhttp://one.invalid/\r\nTwo\r\nhttp://two.invalid/\r\n");
}

TEST_F(StartupTest, AnUnchangedListKeepsItsModificationTime) {
  Folder.WriteFile("L.ini", "One\r\nhttp://one.invalid/\r\n");
  const ULONGLONG old = FileTimeOf(2020, 1, 2);
  Folder.SetModifiedTime("L.ini", old);
  WriteSettings("[Tavrin]\r\nLastList=L\r\n");
  ASSERT_NE(StartReady(), nullptr);
  CloseApp();
  EXPECT_EQ(Folder.ModifiedTime("L.ini").value_or(0), old);
  EXPECT_TRUE(ReadSettings().has_value());  // the settings are written all the same
}

TEST_F(StartupTest, ShowZeroStartsWithTheTrayIconOnly) {
  WriteSettings("[Tavrin]\r\nShow=0\r\n");
  HWND main = StartApp();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitUntil([&] {
    HWND combo = FindChild(main, IDC_MAIN_CMBLIST);
    return combo && ComboCount(combo) > 0;
  }));
  Sleep(500);
  EXPECT_FALSE(IsVisible(main));
  for (HWND w : App.TopLevelWindows()) EXPECT_FALSE(IsWindowVisible(w)) << Utf8(ClassNameOf(w));
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = main;
  data.uID = 100;
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &data)) << "the tray icon is not there";
  PostCommand(main, IDM_PM_EXIT);
  std::optional<DWORD> code = App.WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
}

}  // namespace
