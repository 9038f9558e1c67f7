#pragma once
// The fixture of an end-to-end scenario: a fresh program folder holding Tavrin.exe, no settings
// file, and a program process that is stopped (killed if need be) when the scenario ends. A failed
// scenario leaves a screenshot named after the test in the test output folder.
#include <gtest/gtest.h>

#include "harness/harness.h"

namespace harness {

class TavrinTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts App from Folder and waits until its main window exists and start-up has finished.
  // Returns the main window; nullptr (with a test failure recorded) when it did not come.
  HWND StartApp();
  // Closes App as the user does and expects it to end with exit code 0.
  void CloseApp();
  // "Suite.Name" of the running test, for screenshot names.
  static std::string TestName();

  ProgramFolder Folder;
  TavrinProcess App;
};

}  // namespace harness
