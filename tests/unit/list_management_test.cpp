// Switching, creating, cycling, renaming and deleting lists; deleting and retitling entries.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_ports.h"

using testing_support::Program;
namespace fs = std::filesystem;

namespace {

// Lists A (two entries), B (one) and C (empty); A open.
void ThreeLists(Program& p) {
  p.List("A", "a0\r\nua0\r\na1\r\nua1\r\n");
  p.List("B", "b0\r\nub0\r\n");
  p.List("C", "");
  p.SettingsText("[Tavrin]\r\nLastList=A\r\n");
  p.Start();
}

}  // namespace

TEST(ListSwitch, PickingSavesTheChangedListThenOpensTheOther) {
  Program p;
  ThreeLists(p);
  p.main.AppendEntry("new", "un");
  p.main.CmbList.UserPick(1);
  EXPECT_EQ(p.ListBytes("A"), "a0\r\nua0\r\na1\r\nua1\r\nnew\r\nun\r\n");
  EXPECT_EQ(p.main.CurrentListName, "B");
  EXPECT_EQ(p.main.LstURL.Title(0), "b0");
  EXPECT_FALSE(p.main.ListDirty);
  EXPECT_EQ(p.tray.tip, "B - b0");
}

TEST(ListSwitch, TypingSwitchesKeystrokeByKeystrokeIgnoringCase) {
  Program p;
  ThreeLists(p);
  p.panel.Show();
  p.main.CmbList.UserType("x");
  EXPECT_EQ(p.main.CurrentListName, "A");
  p.main.CmbList.UserType("c");
  EXPECT_EQ(p.main.CurrentListName, "c");
  EXPECT_TRUE(p.main.LstURL.Empty());
  EXPECT_FALSE(p.panel.ButDel.Enabled());
  EXPECT_EQ(p.main.CmbList.ItemIndex(), 2);  // the open list's item is the selected one
  EXPECT_EQ(p.main.CmbList.Text(), "c");
  p.main.CmbList.UserType("B");
  EXPECT_TRUE(p.panel.ButDel.Enabled());
  EXPECT_EQ(p.tray.tip, "B - b0");
}

TEST(ListNew, CreatesAnEmptyListOnceAndRefusesBlankNames) {
  Program p;
  ThreeLists(p);
  p.panel.Show();
  p.main.AppendEntry("x", "ux");
  p.main.CmbList.UserType("Bx");
  p.main.ButNewList.Click();
  EXPECT_NE(p.ListBytes("A").find("x\r\nux\r\n"), std::string::npos);
  EXPECT_EQ(p.main.CmbList.Items(), (std::vector<std::string>{"A", "B", "Bx", "C"}));
  EXPECT_EQ(p.main.CurrentListName, "Bx");
  EXPECT_TRUE(fs::exists(p.dir / "Bx.ini"));
  EXPECT_EQ(fs::file_size(p.dir / "Bx.ini"), 0u);
  EXPECT_TRUE(p.main.LstURL.Empty());
  EXPECT_FALSE(p.panel.ButDel.Enabled());
  p.main.SpbGo.Click();  // nothing to open
  EXPECT_TRUE(p.shell.opened.empty());

  p.panel.ButDel.SetEnabled(true);
  p.main.ButNewList.Click();  // again: nothing new
  EXPECT_EQ(p.main.CmbList.Count(), 4);
  EXPECT_FALSE(p.panel.ButDel.Enabled());

  p.main.CmbList.UserType("  ");
  p.main.ButNewList.Click();
  EXPECT_EQ(p.dialogs.boxes.back().text, "リスト名を入力して下さい");
  EXPECT_EQ(p.main.CmbList.Count(), 4);
  EXPECT_EQ(p.main.CurrentListName, "Bx");
}

TEST(ListNext, CyclesFromTheOpenListAndSavesFirst) {
  Program p;
  ThreeLists(p);
  p.main.AppendEntry("x", "ux");
  p.main.CmbList.UserType("c");  // saves A, opens C by typing
  p.main.PM_NextList.Click();
  EXPECT_EQ(p.main.CurrentListName, "A");  // wrapped from the last
  p.main.PM_NextList.Click();
  EXPECT_EQ(p.main.CurrentListName, "B");
  p.main.AppendEntry("y", "uy");
  p.main.PM_NextList.Click();
  EXPECT_EQ(p.ListBytes("B"), "b0\r\nub0\r\ny\r\nuy\r\n");
  EXPECT_EQ(p.main.CurrentListName, "C");
}

TEST(ListRename, RenamesTheFileInPlaceOrFailsAndKeepsTheDialog) {
  Program p;
  ThreeLists(p);
  p.main.CmbList.UserPick(2);  // open C
  p.panel.Show();
  p.panel.CmbStartList.SetItemIndex(2);  // C is the start list

  int attempts = 0;
  p.modal.rename = [&](ui::TDlgReName& d) {
    EXPECT_EQ(d.OldListName, "C");
    EXPECT_EQ(d.OldFileName, "C.ini");
    EXPECT_EQ(d.Frame.Top(), p.main.Frame.Top() + 120);
    EXPECT_EQ(d.Frame.Left(), p.main.Frame.Left() + 170);
    d.EdtReName.UserSetText("A");  // exists: refused
    d.ButOK.Click();
    ++attempts;
    EXPECT_FALSE(d.IsClosed());
    d.EdtReName.UserSetText("0first");
    d.ButOK.Click();
    EXPECT_TRUE(d.IsClosed());
  };
  p.panel.ButReName.Click();
  EXPECT_EQ(attempts, 1);
  ASSERT_EQ(p.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.dialogs.boxes[0].text, "リスト名の変更に失敗しました\n同じ名前のリストが存在する可能性があります");
  EXPECT_EQ(p.dialogs.boxes[0].flags, 48u);
  EXPECT_FALSE(fs::exists(p.dir / "C.ini"));
  EXPECT_TRUE(fs::exists(p.dir / "0first.ini"));
  EXPECT_EQ(p.main.CurrentListName, "0first");
  // The new name stands where the old one stood; the start-list copy is sorted and keeps it.
  EXPECT_EQ(p.main.CmbList.Items(), (std::vector<std::string>{"A", "B", "0first"}));
  EXPECT_EQ(p.main.CmbList.ItemIndex(), 2);
  EXPECT_EQ(p.panel.CmbStartList.Items(), (std::vector<std::string>{"0first", "A", "B"}));
  EXPECT_EQ(p.panel.CmbStartList.Text(), "0first");
  p.panel.Close();
  EXPECT_EQ(p.main.StartListName, "0first");
}

TEST(ListRename, UnchangedNameDoesNothingCaseOnlyRenames) {
  Program p;
  ThreeLists(p);
  p.modal.rename = [](ui::TDlgReName& d) { d.ButOK.Click(); };
  p.panel.ButReName.Click();
  EXPECT_TRUE(fs::exists(p.dir / "A.ini"));
  EXPECT_TRUE(p.dialogs.boxes.empty());
  p.modal.rename = [](ui::TDlgReName& d) {
    d.EdtReName.UserSetText("a");
    d.ButOK.Click();
  };
  p.panel.ButReName.Click();
  EXPECT_TRUE(fs::exists(p.dir / "a.ini"));
  EXPECT_EQ(p.main.CmbList.Items()[0], "a");
  p.modal.rename = [](ui::TDlgReName& d) {
    d.EdtReName.UserSetText(" ");
    d.ButOK.Click();
    EXPECT_FALSE(d.IsClosed());
    d.ButCancelClick();
  };
  p.panel.ButReName.Click();
  EXPECT_EQ(p.dialogs.boxes.back().text, "リスト名を入力して下さい");
}

TEST(ListDelete, AsksThenRemovesTheFileAndOpensTheFirst) {
  Program p;
  ThreeLists(p);
  p.main.AppendEntry("unsaved", "u");
  p.dialogs.answers = {app::IdCancel};
  p.panel.ButDelList.Click();
  EXPECT_TRUE(fs::exists(p.dir / "A.ini"));
  ASSERT_EQ(p.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.dialogs.boxes[0].text, " リスト\"A\" を削除していいですか？");
  EXPECT_EQ(p.dialogs.boxes[0].flags, 305u);

  p.panel.ButDelList.Click();  // OK
  EXPECT_FALSE(fs::exists(p.dir / "A.ini"));
  EXPECT_EQ(p.main.CmbList.Items(), (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(p.main.CurrentListName, "B");
  EXPECT_EQ(p.main.LstURL.Title(0), "b0");

  p.panel.ButDelList.Click();
  p.panel.ButDelList.Click();  // the last list: the default list comes back
  EXPECT_EQ(p.main.CmbList.Items(), std::vector<std::string>{"List1"});
  EXPECT_EQ(p.main.CurrentListName, "List1");
  EXPECT_TRUE(fs::exists(p.dir / "List1.ini"));
  EXPECT_TRUE(p.main.LstURL.Empty());
  EXPECT_EQ(p.tray.tip, "List1 - ");
}

TEST(EntryDelete, PopupDeleteSelectsTheNeighbourAndMarksTheListEvenOnNo) {
  struct Case {
    int current;
    int answer;
    std::vector<std::string> titles;
    int selected;
  } cases[] = {{2, app::IdYes, {"T0", "T1"}, 1},
               {0, app::IdYes, {"T1", "T2"}, 0},
               {1, app::IdNo, {"T0", "T1", "T2"}, 1}};
  for (const Case& c : cases) {
    Program p;
    p.OpenEntries(3);
    p.main.LstURL.Select(c.current);
    p.dialogs.answers = {c.answer};
    p.main.PMnuListDel.Click();
    EXPECT_EQ(p.dialogs.boxes.at(0).text, "T" + std::to_string(c.current) + "を削除してもよろしいですか?");
    EXPECT_EQ(p.dialogs.boxes.at(0).flags, 4u);
    std::vector<std::string> titles;
    for (int i = 0; i < p.main.LstURL.Count(); ++i) titles.push_back(p.main.LstURL.Title(i));
    EXPECT_EQ(titles, c.titles);
    EXPECT_EQ(p.main.LstURL.Selected(), c.selected);
    EXPECT_TRUE(p.main.ListDirty);
  }
  Program only;
  only.OpenEntries(1);
  only.dialogs.answers = {app::IdYes};
  only.main.PMnuListDel.Click();
  EXPECT_TRUE(only.main.LstURL.Empty());
  EXPECT_EQ(only.main.LstURL.Selected(), -1);
  only.main.SpbGo.Click();
  only.main.SpbTop.Click();
  EXPECT_TRUE(only.shell.opened.empty());
}

TEST(EntryPopup, ItemsFollowTheSelectionAndRetitleIsSaved) {
  Program p;
  p.OpenEntries(2);
  p.main.LstURL.Select(-1);
  p.main.PMnuListPopup();
  EXPECT_FALSE(p.main.PMnuListDel.Enabled());
  p.main.PMnuListDel.Click();  // the shortcut does nothing while disabled
  p.main.PMnuListRename.Click();
  EXPECT_TRUE(p.dialogs.boxes.empty());
  EXPECT_TRUE(p.editing.started.empty());
  p.main.LstURL.Select(1);
  p.main.PMnuListPopup();
  p.main.PMnuListRename.Click();
  EXPECT_EQ(p.editing.started, std::vector<int>{1});
  p.main.LstURLEdited(1, "renamed");
  EXPECT_EQ(p.main.CurrentTitle, "renamed");
  EXPECT_EQ(p.tray.tip, "L - renamed");
  p.main.Close();
  EXPECT_EQ(p.ListBytes("L"), "T0\r\nu0\r\nrenamed\r\nu1\r\n");
}
