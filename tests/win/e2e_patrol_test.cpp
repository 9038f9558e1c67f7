// Patrol, hiding and showing, the status bar's space and the look of the main window, driven
// against the real Tavrin.exe: clicks on the buttons, the tray notification and menu commands.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "harness/tavrin_test.h"
#include "platform/win32/control_ids.h"

using namespace harness;

namespace {

struct Entry {
  std::string Title;
  std::string Url;
};

const std::vector<Entry> kEntries = {
    {"ニュース", "http://example.invalid/news"},
    {"天気予報", "http://example.invalid/weather"},
    {"時刻表", "http://example.invalid/timetable"},
};

std::string ListFileBytes(const std::vector<Entry>& entries) {
  std::string bytes;
  for (const Entry& e : entries) bytes += e.Title + "\r\n" + e.Url + "\r\n";
  return bytes;
}

// The tray icon of the main window still exists: the notification area accepts a change to it
// (flags 0 change nothing) only while the icon (window, id 100) is there.
bool TrayIconExists(HWND mainWindow) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = mainWindow;
  data.uID = kTrayIconId;
  data.uFlags = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool AnyVisibleWindow(const TavrinProcess& app) {
  for (HWND w : app.TopLevelWindows()) {
    if (IsWindowVisible(w)) return true;
  }
  return false;
}

class PatrolTest : public TavrinTest {
 protected:
  void SetUp() override {
    TavrinTest::SetUp();
    if (HasFatalFailure()) return;
    Folder.WriteFile("巡回.ini", ListFileBytes(kEntries));
    ClearBrowserLaunches();
  }
  void TearDown() override {
    TavrinTest::TearDown();
    ClearBrowserLaunches();
  }

  // The main window once its controls exist and the list holds every entry; nullptr (with a
  // failure recorded) otherwise. The window appears before its controls are made.
  HWND StartWithList() {
    HWND main = StartApp();
    if (!main) return nullptr;
    const bool ready = WaitUntil([&] {
      HWND list = FindChild(main, IDC_MAIN_LSTURL);
      return list && FindChild(main, IDC_MAIN_STATUSBAR) && ListViewCount(list) == static_cast<int>(kEntries.size());
    });
    if (!ready) {
      ADD_FAILURE() << "the URL list did not fill with the " << kEntries.size() << " entries of the list file";
      return nullptr;
    }
    return main;
  }

  // Runs action, then waits for the next browser launch and the selection to reach entry
  // expectedSelection. The launched URL is returned ("" when none came).
  std::string LaunchAndWait(HWND list, const std::function<void()>& action, int expectedSelection) {
    const std::size_t before = BrowserLaunches().size();
    action();
    std::vector<std::string> launches = WaitForBrowserLaunches(before + 1);
    EXPECT_TRUE(WaitUntil([&] { return ListViewSelection(list) == expectedSelection; }, 5000))
        << "selection is " << ListViewSelection(list) << ", expected " << expectedSelection;
    return launches.size() > before ? launches[before] : std::string();
  }
};

TEST_F(PatrolTest, GoClicksAndTrayDoubleClicksOpenTheEntriesInOrderAndWrapToTheFirst) {
  HWND main = StartWithList();
  ASSERT_NE(main, nullptr);
  HWND list = FindChild(main, IDC_MAIN_LSTURL);
  HWND go = FindChild(main, IDC_MAIN_SPBGO);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(go, nullptr);
  ASSERT_EQ(ListViewCount(list), 3);
  ASSERT_TRUE(WaitUntil([&] { return ListViewSelection(list) == 0; }, 5000)) << "first entry not current at start";

  // Go three times: entries 0, 1, 2; after the last one the first is current again (LastTop).
  const int afterGo[] = {1, 2, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(LaunchAndWait(list, [&] { Click(go); }, afterGo[i]), kEntries[i].Url) << "Go #" << i + 1;
  }
  // The tray icon's double-click is Go as well, and goes on from the wrapped first entry.
  const int afterTray[] = {1, 2, 0, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(LaunchAndWait(list, [&] { PostTrayMessage(main, WM_LBUTTONDBLCLK); }, afterTray[i]),
              kEntries[i % 3].Url)
        << "tray double-click #" << i + 1;
  }
  std::vector<std::string> expected;
  for (int i = 0; i < 7; ++i) expected.push_back(kEntries[i % 3].Url);
  PumpFor(300);  // nothing more may arrive
  EXPECT_EQ(BrowserLaunches(), expected);
  CloseApp();
}

TEST_F(PatrolTest, HideLeavesOnlyTheTrayIconAndShowBringsTheWindowBack) {
  HWND main = StartWithList();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(IsVisible(main));
  EXPECT_TRUE(TrayIconExists(main)) << "no tray icon while the window is shown";

  PostCommand(main, IDM_HIDE);
  EXPECT_TRUE(WaitUntil([&] { return !AnyVisibleWindow(App); }, 5000)) << "a window of the program stays visible";
  PumpFor(300);  // hiding is final, not a flicker
  EXPECT_FALSE(AnyVisibleWindow(App));
  EXPECT_TRUE(App.Running()) << "the program ended instead of hiding";
  EXPECT_TRUE(IsWindow(main)) << "the main window was destroyed";
  EXPECT_FALSE(IsVisible(main));
  EXPECT_TRUE(TrayIconExists(main)) << "the tray icon went away with the window";

  // While hidden, the tray double-click still patrols and does not show the window.
  HWND list = FindChild(main, IDC_MAIN_LSTURL);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(LaunchAndWait(list, [&] { PostTrayMessage(main, WM_LBUTTONDBLCLK); }, 1), kEntries[0].Url);
  EXPECT_FALSE(IsVisible(main)) << "the tray double-click showed the window";

  PostCommand(main, IDM_PM_SHOW);
  EXPECT_TRUE(WaitUntil([&] { return IsVisible(main) && !IsIconic(main); }, 5000))
      << "the main window did not come back (visible " << IsVisible(main) << ", minimised " << (IsIconic(main) != 0)
      << ")";
  EXPECT_TRUE(TrayIconExists(main));
  const RECT r = WindowRect(main);
  EXPECT_GT(r.right - r.left, 0);
  EXPECT_GT(r.bottom - r.top, 0);

  CloseApp();
  EXPECT_FALSE(TrayIconExists(main)) << "the tray icon outlived the program";
}

TEST_F(PatrolTest, HiddenStatusBarGivesItsHeightToTheUrlList) {
  struct Measure {
    int ListHeight = 0;
    bool StatusVisible = false;
    int StatusHeight = 0;
  };
  auto measure = [&](const char* statusBar) {
    Measure m;
    WriteSettings(std::string("[Tavrin]\r\nX=120\r\nY=80\r\nWidth=180\r\nHeight=375\r\nStatusBar=") + statusBar +
                  "\r\n");
    HWND main = StartWithList();
    if (!main) return m;
    HWND list = FindChild(main, IDC_MAIN_LSTURL);
    HWND status = FindChild(main, IDC_MAIN_STATUSBAR);
    EXPECT_NE(list, nullptr);
    EXPECT_NE(status, nullptr);
    if (!list || !status) return m;
    m.ListHeight = ClientRect(list).bottom;
    m.StatusVisible = IsVisible(status);
    m.StatusHeight = WindowRect(status).bottom - WindowRect(status).top;
    App.Kill();
    return m;
  };
  const Measure hidden = measure("0");
  const Measure shown = measure("1");
  EXPECT_FALSE(hidden.StatusVisible);
  EXPECT_TRUE(shown.StatusVisible);
  EXPECT_GT(shown.StatusHeight, 0);
  EXPECT_GT(shown.ListHeight, 0);
  EXPECT_GT(hidden.ListHeight, shown.ListHeight) << "the list did not take the hidden status bar's space";
  EXPECT_EQ(hidden.ListHeight - shown.ListHeight, shown.StatusHeight)
      << "list " << hidden.ListHeight << " vs " << shown.ListHeight << " px, status bar " << shown.StatusHeight << " px";
}

TEST_F(PatrolTest, MainWindowScreenshotShowsTheJapaneseList) {
  WriteSettings("[Tavrin]\r\nX=120\r\nY=80\r\nWidth=180\r\nHeight=375\r\nStatusBar=1\r\nStatusText=1\r\n");
  HWND main = StartWithList();
  ASSERT_NE(main, nullptr);
  HWND list = FindChild(main, IDC_MAIN_LSTURL);
  HWND combo = FindChild(main, IDC_MAIN_CMBLIST);
  HWND status = FindChild(main, IDC_MAIN_STATUSBAR);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(status, nullptr);
  std::vector<Row> expected;
  for (const Entry& e : kEntries) expected.push_back({e.Title, e.Url});
  EXPECT_EQ(ListViewRows(list), expected);
  EXPECT_EQ(WindowText(combo), "巡回");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(status) == kEntries[0].Title; }, 5000))
      << "status bar: " << Utf8FromCp932(WindowText(status));

  BringToForeground(main);
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(500);  // let the program finish painting
  const std::wstring path = SaveScreenshot("main-window", main);
  ASSERT_FALSE(path.empty()) << "screenshot not saved";
  std::optional<std::string> bmp = ReadWholeFile(path);
  ASSERT_TRUE(bmp.has_value());
  const RECT r = WindowRect(main);
  const std::size_t headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  ASSERT_GT(bmp->size(), headers);
  // A real picture of the window, not a blank capture: text, frame and buttons give many colours.
  std::set<unsigned> colours;
  for (std::size_t i = headers; i + 2 < bmp->size() && colours.size() < 16; i += 3) {
    colours.insert(static_cast<unsigned char>((*bmp)[i]) | static_cast<unsigned char>((*bmp)[i + 1]) << 8 |
                   static_cast<unsigned char>((*bmp)[i + 2]) << 16);
  }
  EXPECT_GE(colours.size(), 4u) << "the screenshot of " << r.right - r.left << "x" << r.bottom - r.top
                                << " px is nearly uniform";
  CloseApp();
}

}  // namespace
