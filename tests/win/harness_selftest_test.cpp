// The end-to-end harness checked on its own, without Tavrin.exe: folders, settings file, browser
// log, process control, window driving and screenshots.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "harness/harness.h"

using namespace harness;

TEST(HarnessFolder, HoldsRawFilesUnderCp932NamesAndIsRemovedAfterwards) {
  std::wstring path;
  {
    ProgramFolder folder;
    path = folder.Path();
    folder.WriteFile("リスト.ini", std::string("A\nu1\r\n\0x", 9));
    folder.MakeDirectory("X.ini");
    EXPECT_EQ(folder.ReadFile("リスト.ini"), std::string("A\nu1\r\n\0x", 9));
    EXPECT_FALSE(folder.ReadFile("none.ini").has_value());
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"X.ini", "リスト.ini"}));

    const ULONGLONG old = FileTimeOf(2001, 2, 3);
    folder.SetModifiedTime("リスト.ini", old);
    EXPECT_EQ(folder.ModifiedTime("リスト.ini"), old);
    EXPECT_FALSE(folder.ModifiedTime("none.ini").has_value());
    EXPECT_TRUE(folder.Remove("X.ini"));
    EXPECT_FALSE(folder.Exists("X.ini"));
    SetFileAttributesW(folder.PathOf("リスト.ini").c_str(), FILE_ATTRIBUTE_READONLY);
  }
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "folder left behind";
}

TEST(HarnessSettings, WritesReadsAndRemovesTheWindowsDirectoryFile) {
  RemoveSettings();
  EXPECT_FALSE(ReadSettings().has_value());
  const std::string bytes = "[other]\r\nX=9\r\n[TAVRIN]\r\n X = 1 \r\nshow=0\rFoo=bar\n[Next]\r\nY=2\r\n";
  WriteSettings(bytes);
  EXPECT_EQ(ReadSettings(), bytes);
  EXPECT_EQ(SectionLines(bytes, "Tavrin"),
            (std::vector<ProfileLine>{{" X ", " 1 "}, {"show", "0"}, {"Foo", "bar"}}));
  EXPECT_EQ(ProfileValue(bytes, "tavrin", "x"), "1");
  EXPECT_FALSE(ProfileValue(bytes, "Tavrin", "Y").has_value());
  RemoveSettings();
  EXPECT_FALSE(ReadSettings().has_value());
}

TEST(HarnessBrowserLog, RecordsWhatTheShellOpens) {
  ClearBrowserLaunches();
  EXPECT_TRUE(BrowserLaunches().empty());
  HINSTANCE result = ShellExecuteW(nullptr, L"open", L"http://example.invalid/x", nullptr, nullptr, SW_SHOWNORMAL);
  ASSERT_GT(reinterpret_cast<INT_PTR>(result), 32) << "ShellExecuteW failed";
  EXPECT_EQ(WaitForBrowserLaunches(1), (std::vector<std::string>{"http://example.invalid/x"}))
      << "log: " << Utf8(BrowserLogPath());
  ClearBrowserLaunches();
  EXPECT_TRUE(BrowserLaunches().empty());
}

TEST(HarnessProcess, StartsFindsClosesAndKillsAProgram) {
  ProgramFolder folder;
  std::wstring notepad = SettingsPath();
  notepad = notepad.substr(0, notepad.find_last_of(L'\\')) + L"\\system32\\notepad.exe";

  TavrinProcess first;
  ASSERT_TRUE(first.Start(notepad, folder.Path())) << Utf8(first.LastError());
  HWND window = first.WaitForWindowOfClass(L"Notepad");
  ASSERT_NE(window, nullptr);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  EXPECT_EQ(owner, first.Id());
  PostClose(window);
  EXPECT_TRUE(first.WaitForExit().has_value()) << "did not end after WM_CLOSE";

  TavrinProcess second;
  ASSERT_TRUE(second.Start(notepad, folder.Path()));
  ASSERT_NE(second.WaitForWindowOfClass(L"Notepad"), nullptr);
  HANDLE process = nullptr;
  DuplicateHandle(GetCurrentProcess(), second.Handle(), GetCurrentProcess(), &process, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  second.Kill();
  EXPECT_FALSE(second.Started());
  EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "killed process still runs";
  CloseHandle(process);
}

namespace {

// A small window of this process that records what reaches it, standing in for the program.
struct Probe {
  HWND Window = nullptr;
  HWND Button = nullptr;
  HWND Edit = nullptr;
  HWND List = nullptr;
  int ButtonClicks = 0;
  int Commands = 0;
  LPARAM LastTray = 0;

  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Probe*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self && msg == WM_COMMAND) {
      if (LOWORD(wp) == 11 && HIWORD(wp) == BN_CLICKED) ++self->ButtonClicks;
      if (LOWORD(wp) == 2003 && lp == 0) ++self->Commands;
    }
    if (self && msg == kTrayMessage) self->LastTray = lp;
    return DefWindowProcW(w, msg, wp, lp);
  }

  Probe() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
    wc.lpszClassName = L"HarnessProbe";
    RegisterClassW(&wc);
    Window = CreateWindowExW(WS_EX_TOPMOST, L"HarnessProbe", L"Probe", WS_POPUP | WS_VISIBLE, 50, 60, 300, 200,
                             nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Button = CreateWindowW(L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, Window,
                           reinterpret_cast<HMENU>(11), wc.hInstance, nullptr);
    Edit = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 100, 10, 150, 24, Window,
                         reinterpret_cast<HMENU>(12), wc.hInstance, nullptr);
    List = CreateWindowW(WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 140, 200, 50, Window,
                         reinterpret_cast<HMENU>(13), wc.hInstance, nullptr);
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH;
    col.cx = 90;
    ListView_InsertColumn(List, 0, &col);
    ListView_InsertColumn(List, 1, &col);
    const wchar_t* cells[2][2] = {{L"タイトル", L"http://a/"}, {L"B", L""}};
    for (int i = 0; i < 2; ++i) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<wchar_t*>(cells[i][0]);
      ListView_InsertItem(List, &item);
      ListView_SetItemText(List, i, 1, const_cast<wchar_t*>(cells[i][1]));
    }
    UpdateWindow(Window);
  }
  ~Probe() { DestroyWindow(Window); }
};

}  // namespace

TEST(HarnessWindows, DrivesAndReadsControlsAndTakesScreenshots) {
  Probe probe;
  ASSERT_NE(probe.Window, nullptr);
  const DWORD self = GetCurrentProcessId();
  EXPECT_EQ(FindTopLevelWindow(self, L"HarnessProbe"), probe.Window);
  EXPECT_EQ(FindChild(probe.Window, 12), probe.Edit);
  EXPECT_EQ(WindowTextW(probe.Window), L"Probe");

  Click(probe.Button);
  EXPECT_TRUE(WaitUntil([&] { return probe.ButtonClicks == 1; }, 5000)) << "click did not press the button";
  PressButton(probe.Button);
  EXPECT_TRUE(WaitUntil([&] { return probe.ButtonClicks == 2; }, 5000)) << "BM_CLICK did not press the button";
  PostCommand(probe.Window, 2003);
  PostTrayMessage(probe.Window, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitUntil([&] { return probe.Commands == 1 && probe.LastTray == WM_LBUTTONDBLCLK; }, 5000));
  PostChars(probe.Edit, L"abc");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(probe.Edit) == "abc"; }, 5000)) << WindowText(probe.Edit);

  EXPECT_EQ(ListViewRows(probe.List), (std::vector<Row>{{"タイトル", "http://a/"}, {"B", ""}}));
  EXPECT_TRUE(SelectListViewItem(probe.List, 1));
  EXPECT_EQ(ListViewSelection(probe.List), 1);

  PumpFor(200);
  RECT r = WindowRect(probe.Window);
  EXPECT_EQ(ScreenPixel(r.left + 150, r.top + 100), RGB(255, 0, 0)) << "screen capture does not see the window";
  std::wstring shot = SaveScreenshot("harness-probe", probe.Window);
  ASSERT_FALSE(shot.empty());
  std::optional<std::string> bmp = ReadWholeFile(shot);
  ASSERT_TRUE(bmp.has_value());
  EXPECT_EQ(bmp->substr(0, 2), "BM");
  EXPECT_EQ(bmp->size(), 54u + 300u * 3u * 200u);
  DeleteFileW(shot.c_str());
}

TEST(HarnessWindows, ReadsAndAnswersAMessageBox) {
  int answer = 0;
  std::atomic<DWORD> askerThread{0};
  std::thread asker([&] {
    askerThread = GetCurrentThreadId();
    answer = MessageBoxW(nullptr, L"消しますか?", L"Tavrin", MB_YESNO);
  });
  HWND box = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND w : TopLevelWindowsOf(GetCurrentProcessId())) {
      if (ClassNameOf(w) == kDialogClass && IsVisible(w)) box = w;
    }
    return box != nullptr;
  }));
  if (box) {
    EXPECT_EQ(WindowText(box), "Tavrin");
    EXPECT_EQ(MessageBoxText(box), "消しますか?");
    EXPECT_FALSE(AnswerMessageBox(box, IDOK)) << "a Yes/No box has no OK button";
    EXPECT_TRUE(AnswerMessageBox(box, IDNO));
  } else {
    PostThreadMessageW(askerThread, WM_QUIT, 0, 0);  // ends the box's modal loop
  }
  asker.join();
  EXPECT_EQ(answer, IDNO);
}
