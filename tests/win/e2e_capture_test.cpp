// Get URL end to end: Tavrin.exe asks a stand-in browser (fake_browser.exe, a real DDE server)
// for its page and offers it in the add-page dialog.
#include <gtest/gtest.h>

#include <string>

#include "harness/tavrin_test.h"
#include "platform/win32/control_ids.h"

namespace {

using namespace harness;

// The stand-in browser as a process of its own, answering under one service name from a reply
// file. Ready once it has set the named event; killed when the scenario ends.
class FakeBrowserProcess {
 public:
  ~FakeBrowserProcess() { Stop(); }

  bool Start(const std::string& service, const std::wstring& replyFile) {
    const std::wstring ready = L"tavrin-e2e-capture-ready-" + std::to_wstring(GetCurrentProcessId());
    HANDLE readyEvent = CreateEventW(nullptr, TRUE, FALSE, ready.c_str());
    if (!readyEvent) return false;
    const std::wstring exe = TestExeDirectory() + L"\\fake_browser.exe";
    std::wstring commandLine = L"\"" + exe + L"\" " + Wide(service) + L" data \"" + replyFile + L"\" --ready " + ready;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      CloseHandle(readyEvent);
      return false;
    }
    CloseHandle(pi.hThread);
    Process = pi.hProcess;
    HANDLE waitFor[] = {readyEvent, Process};
    const DWORD waited = WaitForMultipleObjects(2, waitFor, FALSE, kDefaultTimeoutMs);
    CloseHandle(readyEvent);
    return waited == WAIT_OBJECT_0;
  }

  void Stop() {
    if (!Process) return;
    TerminateProcess(Process, 0);
    WaitForSingleObject(Process, 10000);
    CloseHandle(Process);
    Process = nullptr;
  }

 private:
  HANDLE Process = nullptr;
};

// The browser's window information: the URL with blanks around it, a Japanese title.
constexpr char kReply[] = "\"  http://example.jp/tavrin/page.html \t\",\"日本語のページ\",\"\"";
constexpr char kUrl[] = "http://example.jp/tavrin/page.html";
constexpr char kTitle[] = "日本語のページ";

class CaptureTest : public TavrinTest {
 protected:
  // Presses Get URL on the main window.
  void PressGetUrl(HWND main) {
    // Start-up ends with the settings panel created and the main window shown.
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main) && App.FindWindowOfClass(TAVRIN_CLASS_CONFIG); }))
        << "start-up did not finish";
    HWND button = FindChild(main, IDC_MAIN_SPEEDBUTTON1);
    ASSERT_NE(button, nullptr) << "no Get URL button";
    Click(button);
  }

  HWND ListOf(HWND main) { return FindChild(main, IDC_MAIN_LSTURL); }
};

TEST_F(CaptureTest, BrowserPageIsOfferedAndAppendedOnOkOnly) {
  Folder.WriteFile("List1.ini", "Old\r\nhttp://old/\r\n");
  Folder.WriteFile("reply.txt", kReply);
  FakeBrowserProcess browser;
  ASSERT_TRUE(browser.Start("NETSCAPE", Folder.PathOf("reply.txt"))) << "fake_browser.exe did not start";

  HWND main = StartApp();
  ASSERT_NE(main, nullptr);
  HWND list = ListOf(main);
  ASSERT_NE(list, nullptr);

  // Get URL, then OK: the page becomes the last entry, selected.
  PressGetUrl(main);
  HWND dialog = App.WaitForWindowOfClass(TAVRIN_CLASS_ADDLIST);
  ASSERT_NE(dialog, nullptr) << "the add-page dialog did not open";
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(dialog); }));
  EXPECT_EQ(WindowText(dialog), "リストに追加");
  HWND title = FindChild(dialog, IDC_DLG_EDTTITLE), url = FindChild(dialog, IDC_DLG_EDTURL);
  ASSERT_NE(title, nullptr);
  ASSERT_NE(url, nullptr);
  EXPECT_EQ(WindowText(url), kUrl);
  EXPECT_EQ(WindowText(title), kTitle) << Utf8FromCp932(WindowText(title));
  const RECT mainRect = WindowRect(main), dialogRect = WindowRect(dialog);
  EXPECT_EQ(dialogRect.top, mainRect.top + 50);
  EXPECT_EQ(dialogRect.left, mainRect.left + 30);
  PumpFor(300);  // let it paint
  EXPECT_FALSE(SaveScreenshot("add-page").empty());

  PressButton(FindChild(dialog, IDC_DLG_OK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "OK did not close the dialog";
  ASSERT_TRUE(WaitUntil([&] { return ListViewCount(list) == 2; }));
  EXPECT_EQ(ListViewRows(list), (std::vector<Row>{{"Old", "http://old/"}, {kTitle, kUrl}}));
  EXPECT_EQ(ListViewSelection(list), 1);

  // Get URL again, then Cancel: nothing is added.
  PressGetUrl(main);
  dialog = App.WaitForWindowOfClass(TAVRIN_CLASS_ADDLIST);
  ASSERT_NE(dialog, nullptr) << "the add-page dialog did not open the second time";
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(dialog); }));
  EXPECT_EQ(WindowText(FindChild(dialog, IDC_DLG_EDTURL)), kUrl);
  PressButton(FindChild(dialog, IDC_DLG_CANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "Cancel did not close the dialog";
  EXPECT_EQ(ListViewCount(list), 2);

  CloseApp();
  EXPECT_EQ(Folder.ReadFile("List1.ini").value_or("<missing>"),
            std::string("Old\r\nhttp://old/\r\n") + kTitle + "\r\n" + kUrl + "\r\n");
}

TEST_F(CaptureTest, WithoutBrowserGetUrlShowsNothing) {
  Folder.WriteFile("List1.ini", "Old\r\nhttp://old/\r\n");
  HWND main = StartApp();
  ASSERT_NE(main, nullptr);
  PressGetUrl(main);

  // With no DDE server the queries fail at once; the program then answers messages again.
  bool shown = false;
  WaitUntil(
      [&] {
        for (HWND w : App.TopLevelWindows()) {
          if (IsVisible(w) && (ClassNameOf(w) == TAVRIN_CLASS_ADDLIST || ClassNameOf(w) == kDialogClass)) shown = true;
        }
        return shown;
      },
      3000);
  EXPECT_FALSE(shown) << "a window appeared after Get URL with no browser running";
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0)
      << "the main window does not answer after Get URL";
  EXPECT_EQ(ListViewCount(ListOf(main)), 1);

  CloseApp();
  EXPECT_EQ(Folder.ReadFile("List1.ini").value_or("<missing>"), "Old\r\nhttp://old/\r\n");
}

}  // namespace
