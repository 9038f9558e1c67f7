// The settings panel: opening, closing, the option rules, the entry editor and pending edits.
#include <gtest/gtest.h>

#include "support/fake_ports.h"

using testing_support::Program;

TEST(Panel, OpeningCopiesTheStateAndDocksAtTheRightEdge) {
  Program p;
  p.List("A", "t\r\nu\r\n");
  p.List("b", "");
  p.SettingsText("[Tavrin]\r\nX=10\r\nY=20\r\nWidth=180\r\nStatusBar=1\r\nStatusText=1\r\nTop=0\r\nLastList=A\r\n"
                 "AutoEdit=2\r\nNtpServer=ntp.example\r\nLastMess=1\r\n");
  p.Start();
  p.panel.Show();
  EXPECT_TRUE(p.main.ConfigOpen);
  EXPECT_EQ(p.main.SpbWindwSize.Caption(), "<<");
  EXPECT_EQ(p.panel.Frame.Left(), 190);
  EXPECT_EQ(p.panel.Frame.Top(), 20);
  EXPECT_EQ(p.panel.CmbStartList.Items(), (std::vector<std::string>{"A", "b"}));
  EXPECT_EQ(p.panel.CmbStartList.Text(), "A");
  EXPECT_FALSE(p.panel.ChkTop.Checked());
  EXPECT_TRUE(p.panel.ChkStatusBar.Checked());
  EXPECT_TRUE(p.panel.RdoTitle.Checked());
  EXPECT_FALSE(p.panel.RdoURL.Checked());
  EXPECT_TRUE(p.panel.RdoTitle.Enabled());
  EXPECT_EQ(p.panel.RdoAutoEdit.ItemIndex(), 2);
  EXPECT_TRUE(p.panel.ButEdit.Enabled() && p.panel.ButAppend.Enabled() && p.panel.ButDel.Enabled());
  EXPECT_TRUE(p.panel.ButHelp.Enabled());
  EXPECT_TRUE(p.panel.ChkLastMess.Checked());
  EXPECT_EQ(p.panel.EdtTitle.Text(), "t");
  EXPECT_EQ(p.panel.EdtURL.Text(), "u");
  EXPECT_EQ(p.panel.EdtNtpServer.Text(), "ntp.example");
  EXPECT_TRUE(p.panel.ButSetTime.Enabled());

  p.main.SpbWindwSize.Click();  // the same button closes it
  EXPECT_FALSE(p.panel.Visible());
  EXPECT_FALSE(p.main.ConfigOpen);
  EXPECT_EQ(p.main.SpbWindwSize.Caption(), ">>");
  EXPECT_FALSE(p.panel.ButEdit.Enabled() || p.panel.ButAppend.Enabled() || p.panel.ButDel.Enabled() ||
               p.panel.ButHelp.Enabled());
  p.main.MnuConfig.Click();
  EXPECT_TRUE(p.panel.Visible());
}

TEST(Panel, StartListChoice) {
  Program p;
  p.List("A", "");
  p.List("B", "");
  p.SettingsText("[Tavrin]\r\nLastList=Gone\r\n");
  p.Start();
  p.panel.Show();
  EXPECT_EQ(p.panel.CmbStartList.ItemIndex(), -1);  // not a list
  p.panel.Close();
  EXPECT_EQ(p.main.StartListName, "");

  p.panel.Show();
  p.panel.CmbStartList.UserPick(1);
  p.panel.ChkStartList.UserClick();  // unchecked: disabled but kept
  EXPECT_FALSE(p.panel.CmbStartList.Enabled());
  p.panel.Close();
  EXPECT_FALSE(p.main.UseStartList);
  EXPECT_EQ(p.main.StartListName, "B");
}

TEST(Panel, EmptyListEmptiesTheEditorAndDisablesItsButtons) {
  Program p;
  p.Start();
  p.panel.Show();
  EXPECT_EQ(p.main.CurrentIndex, 0);
  EXPECT_FALSE(p.panel.ButEdit.Enabled() || p.panel.ButAppend.Enabled() || p.panel.ButDel.Enabled());
  EXPECT_EQ(p.panel.EdtTitle.Text(), "");
  EXPECT_EQ(p.panel.EdtURL.Text(), "");
  EXPECT_FALSE(p.panel.ButSetTime.Enabled());
}

TEST(Panel, NoCurrentEntryToShow) {
  Program p;
  p.OpenEntries(2);
  p.main.CurrentIndex = 5;
  p.panel.Show();
  EXPECT_EQ(p.panel.EdtTitle.Text(), "");
  EXPECT_FALSE(p.panel.ButDel.Enabled() || p.panel.SpbUP.Enabled() || p.panel.SpbDOWN.Enabled());
}

TEST(Panel, StatusBarBoxAndRadiosActAtOnce) {
  Program p;
  p.SettingsText("[Tavrin]\r\nStatusBar=1\r\n");
  p.Start();
  p.main.AppendEntry("Title", " http://u/ ");
  p.panel.Show();
  p.panel.ChkStatusBar.UserClick();
  EXPECT_FALSE(p.main.StatusBar.Visible());
  EXPECT_FALSE(p.panel.RdoTitle.Enabled());
  EXPECT_TRUE(p.main.ShowStatusBar);  // stored only on closing
  p.panel.ChkStatusBar.UserClick();
  p.panel.RdoTitle.UserClick();
  EXPECT_EQ(p.main.StatusBar.Text(), "Title");
  p.panel.RdoURL.UserClick();
  EXPECT_EQ(p.main.StatusBar.Text(), "http://u/");
  p.panel.ChkStatusBar.UserClick();
  p.panel.Close();
  EXPECT_FALSE(p.main.ShowStatusBar);
  EXPECT_FALSE(p.main.StatusShowsTitle);
}

TEST(Panel, StayOnTopChangesBothWindowsAtClosing) {
  Program p;
  p.Start();
  std::vector<std::string> order;
  p.main.Frame.View = [&] { order.push_back("main"); };
  p.panel.Frame.View = [&] { order.push_back("panel"); };
  p.panel.Show();
  order.clear();
  p.panel.ChkTop.UserClick();
  EXPECT_TRUE(p.main.Frame.StayOnTop());
  p.panel.Close();
  EXPECT_FALSE(p.main.Frame.StayOnTop());
  EXPECT_FALSE(p.panel.Frame.StayOnTop());
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(order[0], "main");
  EXPECT_EQ(order[1], "panel");
}

TEST(Panel, ClockSoundAndHelpButtons) {
  Program p;
  p.Start();
  p.main.SpbSetTime.Click();  // no server: nothing
  EXPECT_TRUE(p.clockCalls.empty());
  p.main.NtpServer = "stored:123";
  p.main.NtpSound = "ding.wav";
  p.panel.Show();
  p.panel.EdtNtpServer.UserSetText("");
  EXPECT_FALSE(p.panel.ButSetTime.Enabled());
  p.panel.ButSetTime.Click();
  EXPECT_TRUE(p.clockCalls.empty());
  p.panel.EdtNtpServer.UserSetText("typed:9");
  p.panel.ButSetTime.Click();
  ASSERT_EQ(p.clockCalls.size(), 1u);
  EXPECT_EQ(p.clockCalls[0].first, "typed:9");
  EXPECT_EQ(p.main.NtpServer, "stored:123");  // until closing
  EXPECT_EQ(p.main.StatusBar.Text(), "時刻を修正しました [0秒]");
  p.main.PM_SetTime.Click();
  EXPECT_EQ(p.clockCalls[1], (std::pair<std::string, std::string>{"stored:123", "ding.wav"}));

  p.dialogs.fileAnswer = "C:\\WINDOWS\\Media\\chimes.wav";
  p.panel.ButSoundFile.Click();
  ASSERT_EQ(p.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(p.dialogs.fileRequests[0].filter, "WAVEファイル(*.wav)|*.wav");
  EXPECT_EQ(p.dialogs.fileRequests[0].defaultExtension, "*.wav");
  EXPECT_EQ(p.dialogs.fileRequests[0].initialDirectory, "C:\\WINDOWS\\Media");
  EXPECT_EQ(p.panel.EdtSound.Text(), "C:\\WINDOWS\\Media\\chimes.wav");
  p.dialogs.fileAnswer.reset();
  p.panel.ButSoundFile.Click();
  EXPECT_EQ(p.panel.EdtSound.Text(), "C:\\WINDOWS\\Media\\chimes.wav");

  bool disabledWhilePlaying = false;
  p.sound.whilePlaying = [&] { disabledWhilePlaying = !p.panel.ButTestPlay.Enabled(); };
  p.panel.ButTestPlay.Click();
  EXPECT_TRUE(disabledWhilePlaying);
  EXPECT_TRUE(p.panel.ButTestPlay.Enabled());
  EXPECT_EQ(p.sound.played.back(), (std::pair<std::string, unsigned>{"C:\\WINDOWS\\Media\\chimes.wav", 0u}));
  p.panel.ButHelp.Click();
  EXPECT_EQ(p.help.topics, std::vector<int>{4});
  p.panel.Close();
  EXPECT_EQ(p.main.NtpServer, "typed:9");
  EXPECT_EQ(p.main.NtpSound, "C:\\WINDOWS\\Media\\chimes.wav");
}

namespace {

std::vector<std::string> Titles(Program& p) {
  std::vector<std::string> titles;
  for (int i = 0; i < p.main.LstURL.Count(); ++i) titles.push_back(p.main.LstURL.Title(i) + "|" + p.main.LstURL.Url(i));
  return titles;
}

}  // namespace

TEST(Editor, OperationsTable) {
  struct Case {
    const char* name;
    int entries;
    int current;
    std::function<void(Program&)> act;
    std::vector<std::string> titles;
    int selected;
  } cases[] = {
      {"append to an empty list", 0, -1,
       [](Program& p) {
         p.panel.EdtTitle.UserSetText("new");
         p.panel.EdtURL.UserSetText("http://n/");
         EXPECT_TRUE(p.panel.ButAppend.Enabled());
         p.panel.ButAppend.Click();
         EXPECT_TRUE(p.panel.ButDel.Enabled());
       },
       {"new|http://n/"}, 0},
      {"overwrite keeps the typed url", 2, 1,
       [](Program& p) {
         p.panel.EdtTitle.UserSetText("X");
         p.panel.EdtURL.UserSetText("http://x/");
         p.panel.ButEdit.Click();
         EXPECT_EQ(p.panel.EdtURL.Text(), "http://x/");
         EXPECT_EQ(p.panel.EdtTitle.Text(), "X");
       },
       {"T0|u0", "X|http://x/"}, 1},
      {"delete the last", 3, 2, [](Program& p) { p.panel.ButDel.Click(); }, {"T0|u0", "T1|u1"}, 1},
      {"delete the only", 1, 0,
       [](Program& p) {
         p.panel.ButDel.Click();
         EXPECT_FALSE(p.panel.ButDel.Enabled());
       },
       {}, -1},
      {"first up moves nothing", 2, 0, [](Program& p) { p.panel.SpbUP.Click(); }, {"T0|u0", "T1|u1"}, 0},
      {"last down moves nothing", 2, 1, [](Program& p) { p.panel.SpbDOWN.Click(); }, {"T0|u0", "T1|u1"}, 1},
      {"up twice from 2", 3, 2,
       [](Program& p) {
         p.panel.SpbUP.Click();
         p.panel.SpbUP.Click();
       },
       {"T2|u2", "T0|u0", "T1|u1"}, 0},
      {"down from 0", 3, 0, [](Program& p) { p.panel.SpbDOWN.Click(); }, {"T1|u1", "T0|u0", "T2|u2"}, 1},
      {"file choice", 0, -1,
       [](Program& p) {
         p.dialogs.fileAnswer = "C:\\web\\page.html";
         p.panel.ButGetFileName.Click();
         EXPECT_EQ(p.panel.EdtTitle.Text(), "page.html");
         EXPECT_EQ(p.panel.EdtURL.Text(), "C:\\web\\page.html");
         EXPECT_TRUE(p.panel.ButAppend.Enabled());
         p.panel.ButAppend.Click();
       },
       {"page.html|C:\\web\\page.html"}, 0},
  };
  for (const Case& c : cases) {
    Program p;
    if (c.entries > 0) p.OpenEntries(c.entries);
    else p.Start();
    if (c.current >= 0) p.main.LstURL.Select(c.current);
    p.panel.Show();
    c.act(p);
    EXPECT_EQ(Titles(p), c.titles) << c.name;
    EXPECT_EQ(p.main.LstURL.Selected(), c.selected) << c.name;
    EXPECT_TRUE(p.main.ListDirty) << c.name;
    if (c.selected >= 0) {
      EXPECT_EQ(p.main.CurrentIndex, c.selected) << c.name;
    }
  }
}

TEST(Editor, EmptyingTheUrlDisablesAppendAndOverwrite) {
  Program p;
  p.OpenEntries(1);
  p.panel.Show();
  p.panel.EdtURL.UserSetText("");
  EXPECT_FALSE(p.panel.ButAppend.Enabled());
  EXPECT_FALSE(p.panel.ButEdit.Enabled());
  p.panel.EdtURL.UserSetText("x");
  EXPECT_TRUE(p.panel.ButAppend.Enabled());
  EXPECT_TRUE(p.panel.ButEdit.Enabled());
}

TEST(Editor, PendingEditRuleOnClosing) {
  struct Case {
    int mode;
    std::vector<int> answers;
    const char* title;
    const char* url;
    std::vector<std::string> titles;
    bool asked;
  } cases[] = {
      {0, {}, "X", "u0", {"X|u0", "T1|u1"}, false},
      {1, {}, "X", "ux", {"T0|u0", "T1|u1", "X|ux"}, false},  // "常に追加" appends
      {2, {app::IdYes}, "X", "u0", {"X|u0", "T1|u1"}, true},
      {2, {app::IdNo}, "X", "u0", {"T0|u0", "T1|u1"}, true},
      {3, {}, "X", "u0", {"T0|u0", "T1|u1"}, false},
      {0, {}, "", "ux", {"T0|u0", "T1|u1"}, false},  // an empty edit: nothing
      {2, {}, "T0", "", {"T0|u0", "T1|u1"}, false},
  };
  for (const Case& c : cases) {
    Program p;
    p.OpenEntries(2);
    p.panel.Show();
    p.panel.RdoAutoEdit.SetItemIndex(c.mode);
    p.panel.EdtTitle.UserSetText(c.title);
    p.panel.EdtURL.UserSetText(c.url);
    p.dialogs.answers = c.answers;
    p.panel.Close();
    EXPECT_EQ(Titles(p), c.titles) << c.mode << c.title << c.url;
    ASSERT_EQ(p.dialogs.boxes.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(p.dialogs.boxes[0].text, "リストが変更されています。保存しますか？");
      EXPECT_EQ(p.dialogs.boxes[0].flags, 4u);
    }
  }
  Program empty;  // overwrite with no entry to overwrite: nothing
  empty.Start();
  empty.panel.Show();
  empty.panel.RdoAutoEdit.SetItemIndex(0);
  empty.panel.EdtTitle.UserSetText("X");
  empty.panel.EdtURL.UserSetText("u");
  empty.panel.Close();
  EXPECT_TRUE(empty.main.LstURL.Empty());
  EXPECT_FALSE(empty.main.ListDirty);
}
