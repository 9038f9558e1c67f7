// The clock correction of Tavrin.exe against a real SNTP server on the loopback interface (the
// test command starts one and names it in TAVRIN_TEST_NTP_SERVER as "127.0.0.1:port"), and the
// triggers doing nothing while no server is set.
#include <windows.h>

#include <string>

#include "harness/tavrin_test.h"
#include "platform/win32/control_ids.h"

using namespace harness;

namespace {

const std::string kUrl0 = "http://example.invalid/first";
const std::string kUrl1 = "http://example.invalid/second";

// The server's clock is the host's own, so the difference is 0; the system accepts a setting that
// changes the clock by less than half a second.
const std::string kCorrected = "時刻を修正しました [0秒]";

std::string TestServer() {
  char buf[512];
  DWORD n = GetEnvironmentVariableA("TAVRIN_TEST_NTP_SERVER", buf, sizeof buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

class ClockTest : public TavrinTest {
 protected:
  void SetUp() override {
    TavrinTest::SetUp();
    if (HasFatalFailure()) return;
    ClearBrowserLaunches();
  }
  void TearDown() override {
    TavrinTest::TearDown();
    ClearBrowserLaunches();
  }

  // Starts the program on a list file of these URLs and returns the status bar once the first
  // entry's URL shows in it; nullptr (with a failure recorded) otherwise.
  HWND StartShowingFirstUrl(const std::string& listBytes) {
    Folder.WriteFile("時計.ini", listBytes);
    Main = StartApp();
    if (!Main) return nullptr;
    HWND status = nullptr;
    const bool ready = WaitUntil([&] {
      status = FindChild(Main, IDC_MAIN_STATUSBAR);
      return status && WindowText(status) == kUrl0;
    });
    if (!ready) {
      ADD_FAILURE() << "the status bar did not show the first URL; it shows \""
                    << (status ? Utf8FromCp932(WindowText(status)) : "(no status bar)") << "\"";
      return nullptr;
    }
    return status;
  }

  // Waits until the status bar's text is no longer from; returns the text then.
  std::string WaitForChange(HWND status, const std::string& from) {
    std::string text = from;
    WaitUntil([&] { return (text = WindowText(status)) != from; }, 15000);
    return text;
  }

  HWND Main = nullptr;
};

TEST_F(ClockTest, ClockButtonAndTrayItemSetTheClockFromTheServer) {
  const std::string server = TestServer();
  ASSERT_FALSE(server.empty()) << "TAVRIN_TEST_NTP_SERVER is not set: the test command starts chronyd on a "
                                  "loopback port and exports it as \"127.0.0.1:<port>\"";
  WriteSettings("[Tavrin]\r\nStatusBar=1\r\nStatusText=0\r\nNtpServer=" + server + "\r\n");
  HWND status = StartShowingFirstUrl("一\r\n" + kUrl0 + "\r\n二\r\n" + kUrl1 + "\r\n");
  ASSERT_NE(status, nullptr);
  HWND clock = FindChild(Main, IDC_MAIN_SPBSETTIME);
  ASSERT_NE(clock, nullptr);

  Click(clock);
  std::string text = WaitForChange(status, kUrl0);
  EXPECT_EQ(text, kCorrected) << "status bar: \"" << Utf8FromCp932(text) << "\" (server " << server << ")";

  // The tray menu's item does the same; the status bar first shows the next entry's URL.
  PostCommand(Main, IDM_PM_NEXTURL);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(status) == kUrl1; }, 5000))
      << "status bar: \"" << Utf8FromCp932(WindowText(status)) << "\"";
  PostCommand(Main, IDM_PM_SETTIME);
  text = WaitForChange(status, kUrl1);
  EXPECT_EQ(text, kCorrected) << "status bar: \"" << Utf8FromCp932(text) << "\" (server " << server << ")";
  CloseApp();
}

TEST_F(ClockTest, WithoutServerTheClockButtonAndTrayItemLeaveTheStatusBarAlone) {
  WriteSettings("[Tavrin]\r\nStatusBar=1\r\nStatusText=0\r\n");
  HWND status = StartShowingFirstUrl("一\r\n" + kUrl0 + "\r\n");
  ASSERT_NE(status, nullptr);
  HWND clock = FindChild(Main, IDC_MAIN_SPBSETTIME);
  ASSERT_NE(clock, nullptr);

  Click(clock);
  PostCommand(Main, IDM_PM_SETTIME);
  // Posted messages are handled in order: once the tray double-click that follows has opened the
  // one entry (and selected it again, changing nothing), both clock triggers have run.
  PostTrayMessage(Main, WM_LBUTTONDBLCLK);
  EXPECT_EQ(WaitForBrowserLaunches(1), std::vector<std::string>{kUrl0});
  PumpFor(200);
  EXPECT_EQ(WindowText(status), kUrl0) << "status bar: \"" << Utf8FromCp932(WindowText(status)) << "\"";
  CloseApp();
}

}  // namespace
