#include "harness/tavrin_test.h"

namespace harness {

void TavrinTest::SetUp() {
  RemoveSettings();
  ASSERT_TRUE(Folder.AddProgram()) << "Tavrin.exe is missing beside the test: " << Utf8(BuiltProgramPath());
}

void TavrinTest::TearDown() {
  if (HasFailure() && App.Running()) SaveScreenshot(TestName() + "-failed");
  App.Kill();
  RemoveSettings();
}

HWND TavrinTest::StartApp() {
  if (!App.Start(Folder)) {
    ADD_FAILURE() << Utf8(App.LastError());
    return nullptr;
  }
  HWND main = App.WaitForMainWindow();
  if (!main) {
    ADD_FAILURE() << "no main window (class TMainForm) appeared; process "
                  << (App.Running() ? "still runs" : "ended with code " + std::to_string(App.ExitCode().value_or(~0u)));
    return nullptr;
  }
  App.WaitForIdle();
  return main;
}

void TavrinTest::CloseApp() {
  std::optional<DWORD> code = App.Close();
  ASSERT_TRUE(code.has_value()) << "Tavrin did not end after WM_CLOSE";
  EXPECT_EQ(*code, 0u);
}

std::string TavrinTest::TestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : name) {
    if (c == '/' || c == '\\') c = '_';
  }
  return name;
}

}  // namespace harness
