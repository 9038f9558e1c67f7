// Start-up, the open list's file, and shutdown of the main window.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/error.h"
#include "support/fake_ports.h"

using testing_support::Program;

TEST(StartUp, EmptyFolderCreatesTheDefaultListAndOpensIt) {
  Program p;
  p.Start();
  EXPECT_TRUE(std::filesystem::exists(p.dir / "List1.ini"));
  EXPECT_EQ(std::filesystem::file_size(p.dir / "List1.ini"), 0u);
  EXPECT_EQ(p.main.CmbList.Items(), std::vector<std::string>{"List1"});
  EXPECT_EQ(p.main.CurrentListName, "List1");
  EXPECT_EQ(p.main.CurrentIndex, -1);
  EXPECT_EQ(p.main.StartListName, "");
  EXPECT_EQ(p.tray.calls, (std::vector<std::string>{"add:Tavrin", "modify:List1 - "}));
}

TEST(StartUp, OpensTheSettingsListOrElseTheFirstSortedName) {
  {
    Program p;
    p.List("B", "");
    p.List("a", "");
    std::filesystem::create_directory(p.dir / "D.ini");  // a directory is listed too
    p.Start();
    EXPECT_EQ(p.main.CmbList.Items(), (std::vector<std::string>{"a", "B", "D"}));
    EXPECT_EQ(p.main.CurrentListName, "a");
    EXPECT_EQ(p.main.StartListName, "");
  }
  {
    Program p;
    p.List("List1", "A\r\nu1\r\n");
    p.List("Other", "");
    p.SettingsText("[Tavrin]\r\nLastList=list1\r\n");
    p.Start();
    EXPECT_EQ(p.main.CurrentListName, "list1");  // kept as read
    EXPECT_EQ(p.main.CmbList.ItemIndex(), 0);
    EXPECT_EQ(p.main.StartListName, "list1");
  }
  {
    Program p;
    p.List("X", "");
    p.SettingsText("[Tavrin]\r\nStart=0\r\nLastList=X\r\n");
    p.Start();
    EXPECT_EQ(p.main.CurrentListName, "X");
    EXPECT_EQ(p.main.StartListName, "");
  }
}

TEST(StartUp, SettingsReachTheWindowAndTheStatusBar) {
  Program p;
  p.SettingsText("[Tavrin]\r\nX=10\r\nY=20\r\nWidth=300\r\nHeight=400\r\nStatusBar=1\r\nTop=0\r\nShow=0\r\n");
  p.Start();
  EXPECT_EQ(p.main.Frame.Left(), 10);
  EXPECT_EQ(p.main.Frame.Top(), 20);
  EXPECT_EQ(p.main.Frame.Width(), 300);
  EXPECT_EQ(p.main.Frame.Height(), 400);
  EXPECT_TRUE(p.main.StatusBar.Visible());
  EXPECT_FALSE(p.main.Frame.StayOnTop());
  EXPECT_FALSE(p.panel.Frame.StayOnTop());
  EXPECT_FALSE(p.main.ShowAtStart);
}

TEST(OpenList, LoadsPairsWhateverTheLineEndsAndSavesThemBackWithCrLf) {
  Program p;
  p.List("L", " A \nu1\rB\r\n u2 ");
  p.SettingsText("[Tavrin]\r\nLastList=L\r\n");
  p.Start();
  ASSERT_EQ(p.main.LstURL.Count(), 2);
  EXPECT_EQ(p.main.LstURL.Title(0), " A ");
  EXPECT_EQ(p.main.LstURL.Url(1), " u2 ");
  EXPECT_EQ(p.main.LstURL.Selected(), 0);
  EXPECT_EQ(p.main.CurrentIndex, 0);
  EXPECT_EQ(p.tray.tip, "L -  A ");
  p.main.SaveCurrentList();
  EXPECT_EQ(p.ListBytes("L"), " A \r\nu1\r\nB\r\n u2 \r\n");
  EXPECT_FALSE(p.main.ListDirty);
}

TEST(OpenList, OddLinesNulAndLongLines) {
  struct Case {
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> entries;
  } cases[] = {
      {"A\r\nu\r\nB\r\n", {{"A", "u"}, {"B", ""}}},  // unpaired title: an entry without URL
      {"A\r\nu\r\n\r\n", {{"A", "u"}}},              // a trailing blank line is dropped
      {std::string("A\r\nu\0B\r\nv\r\n", 11), {{"A", "u"}}},
      {"\r\n\r\n", {{"", ""}}},
      {std::string(1 << 20, 't') + "\r\nu\r\n", {{std::string(1 << 20, 't'), "u"}}},
  };
  for (const Case& c : cases) {
    Program p;
    p.List("L", c.bytes);
    p.SettingsText("[Tavrin]\r\nLastList=L\r\n");
    p.Start();
    ASSERT_EQ(p.main.LstURL.Count(), static_cast<int>(c.entries.size()));
    for (int i = 0; i < p.main.LstURL.Count(); ++i) {
      EXPECT_EQ(p.main.LstURL.Title(i), c.entries[i].first);
      EXPECT_EQ(p.main.LstURL.Url(i), c.entries[i].second);
    }
  }
}

TEST(OpenList, ADirectoryListReportsTheOpenErrorAndLeavesTheViewEmpty) {
  Program p;
  p.List("A", "T\r\nu\r\n");
  std::filesystem::create_directory(p.dir / "B.ini");
  p.SettingsText("[Tavrin]\r\nLastList=A\r\n");
  p.Start();
  EXPECT_THROW(p.main.CmbList.UserPick(1), core::Error);
  EXPECT_EQ(p.main.CurrentListName, "B");
  EXPECT_TRUE(p.main.LstURL.Empty());
  EXPECT_EQ(p.main.CurrentIndex, 0);
  EXPECT_EQ(p.tray.tip, "A - T");  // kept
}

TEST(OpenList, ANamelessListIsNeverWritten) {
  Program p;
  p.Start();
  p.main.CurrentListName.clear();
  p.main.ListDirty = true;
  EXPECT_THROW(p.main.SaveCurrentList(), core::Error);
  EXPECT_FALSE(std::filesystem::exists(p.dir / ".ini"));
  EXPECT_TRUE(p.main.ListDirty);
}

TEST(Shutdown, SavesAChangedListWritesSettingsAndEnds) {
  Program p;
  p.OpenEntries(2);
  p.panel.Show();
  p.panel.EdtTitle.UserSetText("edited");
  p.panel.RdoAutoEdit.SetItemIndex(0);
  p.main.Close();
  EXPECT_FALSE(p.main.ConfigOpen);
  EXPECT_TRUE(p.application.terminated);
  EXPECT_FALSE(p.tray.present);
  EXPECT_EQ(p.ListBytes("L"), "edited\r\nu0\r\nT1\r\nu1\r\n");  // the pending edit reached the file
  EXPECT_NE(p.SettingsBytes().find("LastList=L\r\n"), std::string::npos);
  EXPECT_NE(p.SettingsBytes().find("AutoEdit=0\r\n"), std::string::npos);
}

TEST(Shutdown, AnUnchangedListIsNotTouched) {
  Program p;
  p.OpenEntries(1);
  auto before = std::filesystem::last_write_time(p.dir / "L.ini");
  std::filesystem::last_write_time(p.dir / "L.ini", before - std::chrono::hours(1));
  p.main.Close();
  EXPECT_EQ(std::filesystem::last_write_time(p.dir / "L.ini"), before - std::chrono::hours(1));
  EXPECT_TRUE(p.application.terminated);
}

TEST(Shutdown, AFailedWriteAsksAndNoKeepsTheProgramWithItsIconAndChanges) {
  Program p;
  p.OpenEntries(1);
  p.main.AppendEntry("new", "u");
  std::filesystem::remove(p.dir / "L.ini");
  std::filesystem::create_directory(p.dir / "L.ini");  // the list can no longer be replaced
  p.dialogs.answers = {app::IdNo};
  p.main.Close();
  EXPECT_FALSE(p.application.terminated);
  ASSERT_EQ(p.dialogs.errors.size(), 1u);
  EXPECT_NE(p.dialogs.errors[0].find("を作成できません"), std::string::npos);
  ASSERT_EQ(p.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.dialogs.boxes[0].text, "変更を保存できませんでした。保存せずに終了しますか？");
  EXPECT_EQ(p.dialogs.boxes[0].flags, app::MbYesNo | app::MbIconExclamation);
  EXPECT_TRUE(p.tray.present);  // still reachable
  EXPECT_TRUE(p.main.ListDirty);  // the changes are not forgotten
  EXPECT_EQ(p.SettingsBytes(), "[Tavrin]\r\nLastList=L\r\n");  // not written after the failed save

  std::filesystem::remove(p.dir / "L.ini");
  p.main.Close();  // the next close saves and ends
  EXPECT_TRUE(p.application.terminated);
  EXPECT_EQ(p.ListBytes("L"), "T0\r\nu0\r\nnew\r\nu\r\n");
}

TEST(Shutdown, AFailedWriteAnsweredYesEnds) {
  Program p;
  p.Start();
  std::filesystem::remove_all(p.windows);
  testing_support::WriteBytes(p.windows, "a file where the folder was");
  testing_support::WriteBytes(p.userStore, "and where the per-user copy would go");
  p.dialogs.answers = {app::IdYes};
  p.main.Close();
  EXPECT_EQ(p.dialogs.errors, std::vector<std::string>{"Tavrin.ini に書き込めません"});
  EXPECT_TRUE(p.application.terminated);
}

TEST(Shutdown, LastListIsTheStartListWhenOneIsChosen) {
  struct Case {
    bool useStart;
    std::string startName, expected;
  } cases[] = {{true, "S", "LastList=S"}, {true, "", "LastList=L"}, {false, "S", "LastList=L"}};
  for (const Case& c : cases) {
    Program p;
    p.OpenEntries(1);
    p.main.UseStartList = c.useStart;
    p.main.StartListName = c.startName;
    p.main.Close();
    EXPECT_NE(p.SettingsBytes().find(c.expected + "\r\n"), std::string::npos) << c.expected;
  }
}

TEST(Shutdown, MinimiseAndHideCloseThePanelAndLeaveOnlyTheTray) {
  Program p;
  p.OpenEntries(1);
  p.panel.Show();
  p.main.ApplicationMinimize();
  EXPECT_FALSE(p.panel.Visible());
  EXPECT_EQ(p.application.calls, std::vector<std::string>{"app:0"});
  p.panel.Show();
  p.main.MnuHideClick();
  EXPECT_FALSE(p.main.ConfigOpen);
  EXPECT_EQ(p.application.calls, (std::vector<std::string>{"app:0", "app:2", "app:0"}));
  p.main.PM_ShowClick();
  EXPECT_EQ(p.application.calls.back(), "show-main");
  EXPECT_FALSE(p.panel.Visible());
  EXPECT_TRUE(p.tray.present);
}

TEST(StartUp, AProgramFolderThatTakesNoFilesStillOpensTheDefaultList) {
  Program p;
  std::filesystem::remove_all(p.dir);  // nothing can be created there
  p.Start();
  EXPECT_EQ(p.main.CmbList.Items(), std::vector<std::string>{"List1"});
  EXPECT_EQ(p.main.CurrentListName, "List1");
  EXPECT_TRUE(p.main.LstURL.Empty());
  EXPECT_TRUE(p.dialogs.errors.empty());  // the failed creation is not reported
  p.main.AppendEntry("t", "u");
  p.dialogs.answers = {app::IdNo};
  p.main.Close();  // the save fails: reported, and the user keeps the program
  EXPECT_EQ(p.dialogs.errors.size(), 1u);
  EXPECT_FALSE(p.application.terminated);
}
