#include <gtest/gtest.h>

#include "app/settings_store.h"
#include "core/error.h"
#include "support/fake_ports.h"

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

const char* const WritingOrder[] = {"X", "Y", "Width", "Height", "Top", "Start", "Show", "StatusBar", "StatusText",
                                    "AutoEdit", "NtpServer", "NtpSound", "LastList", "LastTop", "LastMess",
                                    "LastSound", "LastExit"};

}  // namespace

TEST(Settings, DefaultsWhenFileSectionOrValuesAreMissingOrUnusable) {
  TempDir dir;
  app::SettingsStore store(dir.Path(), {});
  app::Settings none = store.Load();
  EXPECT_EQ(none.X, 200);
  EXPECT_EQ(none.Y, 200);
  EXPECT_EQ(none.Width, 180);
  EXPECT_EQ(none.Height, 375);
  EXPECT_TRUE(none.Top && none.Start && none.Show && none.LastTop);
  EXPECT_FALSE(none.StatusBar || none.StatusText || none.LastMess || none.LastSound || none.LastExit);
  EXPECT_EQ(none.LastList, "List1.ini");
  EXPECT_EQ(none.AutoEdit, 3);
  EXPECT_EQ(none.NtpServer, "");

  WriteBytes(dir / "Tavrin.ini", "[Other]\r\nX=1\r\n");
  EXPECT_EQ(store.Load().X, 200);

  WriteBytes(dir / "Tavrin.ini",
             "[tavrin]\rx=0x20\rWidth=\rTop=yes\rShow=2\rAutoEdit=garbage\rLastList=" + std::string(5000, 'n') + "\r");
  app::Settings s = store.Load();
  EXPECT_EQ(s.X, 32);
  EXPECT_EQ(s.Width, 180);
  EXPECT_TRUE(s.Top);
  EXPECT_TRUE(s.Show);
  EXPECT_EQ(s.AutoEdit, 3);
  EXPECT_EQ(s.LastList.size(), 1023u);

  std::filesystem::remove(dir / "Tavrin.ini");
  std::filesystem::create_directory(dir / "Tavrin.ini");  // unreadable as a file
  EXPECT_EQ(store.Load().Height, 375);
}

TEST(Settings, WritesEveryKeyInOrderRemovesMiniSizesKeepsForeignKeys) {
  TempDir dir;
  WriteBytes(dir / "Tavrin.ini", "[Tavrin]\r\nMiniWidth=10\r\nFoo=bar\r\nMiniHeight=20\r\n");
  app::SettingsStore store(dir.Path(), {});
  app::Settings s;
  s.Top = false;
  s.Show = true;
  s.AutoEdit = 2;
  s.LastList = "a";
  store.Save(s);
  std::string text = ReadBytes(dir / "Tavrin.ini");
  EXPECT_EQ(text.find("Mini"), std::string::npos);
  EXPECT_NE(text.find("Foo=bar\r\n"), std::string::npos);
  std::size_t at = 0;
  for (const char* key : WritingOrder) {
    std::size_t found = text.find(std::string("\r\n") + key + "=", at);
    ASSERT_NE(found, std::string::npos) << key;
    at = found + 1;
  }
  EXPECT_NE(text.find("Top=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("AutoEdit=2\r\n"), std::string::npos);
  EXPECT_EQ(store.Load().LastList, "a");
}

TEST(Settings, FallsBackToThePerUserCopyWhenTheWindowsFolderRefuses) {
  TempDir dir;
  WriteBytes(dir / "not-a-dir", "x");
  auto windows = dir / "not-a-dir" / "windows";  // nothing can be written below a file
  auto store = dir / "Local" / "VirtualStore" / "Windows";
  app::SettingsStore settings(windows, store);
  app::Settings s;
  s.X = 42;
  settings.Save(s);
  EXPECT_EQ(settings.Load().X, 42);
  EXPECT_NE(ReadBytes(store / "Tavrin.ini").find("X=42\r\n"), std::string::npos);

  // Once the per-user copy exists it is the one read and written.
  TempDir plain;
  WriteBytes(plain / "Tavrin.ini", "[Tavrin]\r\nX=1\r\n");
  std::filesystem::create_directories(plain / "vs");
  WriteBytes(plain / "vs" / "Tavrin.ini", "[Tavrin]\r\nX=2\r\n");
  app::SettingsStore both(plain.Path(), plain / "vs");
  EXPECT_EQ(both.Load().X, 2);
  s.X = 3;
  both.Save(s);
  EXPECT_EQ(ReadBytes(plain / "Tavrin.ini"), "[Tavrin]\r\nX=1\r\n");
  EXPECT_EQ(both.Load().X, 3);
}

TEST(Settings, BothPlacesRefusingIsTheWriteError) {
  TempDir dir;
  WriteBytes(dir / "file", "x");
  app::SettingsStore store(dir / "file" / "w", dir / "file" / "vs");
  try {
    store.Save(app::Settings{});
    FAIL() << "no error";
  } catch (const core::Error& e) {
    EXPECT_EQ(std::string(e.what()), "Tavrin.ini に書き込めません");
  }
}
