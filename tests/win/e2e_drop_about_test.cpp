// The About box of Tavrin.exe end to end: its place over the main window, its picture and a click
// on the picture closing it. (Dropped shortcut files are tested on the real main window in
// drop_files_test.cpp: a drop handle cannot be handed to another process.)
#include <gtest/gtest.h>

#include "harness/tavrin_test.h"
#include "platform/win32/control_ids.h"

namespace {

using namespace harness;

class AboutTest : public TavrinTest {};

TEST_F(AboutTest, OpensOverTheMainWindowAndClosesOnAPictureClick) {
  HWND main = StartApp();
  ASSERT_NE(main, nullptr);
  // Start-up ends with the settings panel created and the main window shown.
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(main) && App.FindWindowOfClass(TAVRIN_CLASS_CONFIG); }));

  PostCommand(main, IDM_ABOUT);
  HWND about = App.WaitForWindowOfClass(TAVRIN_CLASS_ABOUT);
  ASSERT_NE(about, nullptr) << "IDM_ABOUT opened no About box";
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(about); }));
  EXPECT_EQ(WindowText(about), "Tavrin");
  const RECT mainRect = WindowRect(main), aboutRect = WindowRect(about);
  EXPECT_EQ(aboutRect.top, mainRect.top + 45);
  EXPECT_EQ(aboutRect.left, mainRect.left + 120);
  // Modal: the main window takes no input while the box is open.
  EXPECT_FALSE(IsEnabled(main));
  // The support panel with its two links is there.
  HWND panel = FindChild(about, IDC_ABOUT_PANEL1);
  ASSERT_NE(panel, nullptr);
  EXPECT_NE(FindChild(about, IDC_ABOUT_LBLURL), nullptr);
  EXPECT_NE(FindChild(about, IDC_ABOUT_LBLMAIL), nullptr);
  PumpFor(300);  // let it paint
  EXPECT_FALSE(SaveScreenshot("about", about).empty());

  // A click on the picture, away from the texts, the icon and the panel.
  ClickAt(about, 8, 8);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "a click on the picture left the box open";
  EXPECT_TRUE(WaitUntil([&] { return IsEnabled(main); })) << "the main window stayed disabled";

  CloseApp();
}

}  // namespace
