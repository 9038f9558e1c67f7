// Patrol: Go, Top, Skip, double-click, the end-of-list actions and the current entry's mirrors.
#include <gtest/gtest.h>

#include "core/text.h"
#include "support/fake_ports.h"

using testing_support::Program;

namespace {

enum Op { Go, Top, Skip, Dbl, TrayDbl, TraySkip };

struct PatrolCase {
  const char* name;
  int entries;
  bool lastTop, lastSound, lastMess, lastExit;
  std::vector<Op> ops;
  std::vector<std::string> opened;
  int selectedAfter;
  std::vector<std::string> events = {};
  bool exited = false;
};

void RunOp(Program& p, Op op) {
  switch (op) {
    case Go: p.main.SpbGo.Click(); break;
    case Top: p.main.SpbTop.Click(); break;
    case Skip: p.main.SpbSkip.Click(); break;
    case Dbl: p.main.LstURLDblClick(); break;
    case TrayDbl: p.main.WMTrayIcon(515); break;
    case TraySkip: p.main.PM_NextURL.Click(); break;
  }
}

}  // namespace

TEST(Patrol, CommandsTable) {
  const PatrolCase cases[] = {
      {"top only: wraps", 3, true, false, false, false, {Go, Go, Go, Go}, {"u0", "u1", "u2", "u0"}, 1},
      {"no end option: the last stays", 3, false, false, false, false, {Go, Go, Go, Go}, {"u0", "u1", "u2", "u2"}, 2},
      {"beep then message", 2, false, true, true, false, {Go, Go}, {"u0", "u1"}, 1, {"beep", "message"}},
      {"top then exit", 2, true, false, false, true, {Go, Go}, {"u0", "u1"}, 0, {}, true},
      {"skip wraps without end action", 2, false, true, true, true, {Skip, Skip, Skip}, {}, 1},
      {"tray skip", 2, false, false, false, false, {TraySkip, TraySkip}, {}, 0},
      {"top then go opens the first twice", 3, true, false, false, false, {Go, Go, Top, Go}, {"u0", "u1", "u0", "u0"}, 1},
      {"double-click on the last wraps", 2, false, false, false, false, {Skip, Dbl, Dbl}, {"u1", "u0"}, 1},
      {"tray double-click is Go", 2, true, false, false, false, {TrayDbl, TrayDbl, TrayDbl}, {"u0", "u1", "u0"}, 1},
      {"empty list does nothing", 0, true, true, true, true, {Go, Top, Skip, Dbl, TrayDbl}, {}, -1},
  };
  for (const PatrolCase& c : cases) {
    Program p;
    p.OpenEntries(c.entries);
    p.main.LastTop = c.lastTop;
    p.main.LastSound = c.lastSound;
    p.main.LastMess = c.lastMess;
    p.main.LastExit = c.lastExit;
    for (Op op : c.ops) RunOp(p, op);
    EXPECT_EQ(p.shell.opened, c.opened) << c.name;
    EXPECT_EQ(p.main.LstURL.Selected(), c.selectedAfter) << c.name;
    EXPECT_EQ(p.dialogs.events, c.events) << c.name;
    EXPECT_EQ(p.application.terminated, c.exited) << c.name;
    if (!c.events.empty()) {
      EXPECT_EQ(p.dialogs.beeps, std::vector<unsigned>{0xFFFFFFFF});
      EXPECT_EQ(p.dialogs.messages, std::vector<std::string>{"リストの最後尾です"});
    }
  }
}

TEST(Patrol, DeselectingKeepsTheCurrentEntryAndEmptiesThePanelEdits) {
  Program p;
  p.OpenEntries(3);
  p.main.SpbSkip.Click();
  p.panel.Show();
  EXPECT_EQ(p.panel.EdtTitle.Text(), "T1");
  p.main.LstURL.Select(-1);  // a click on an empty area of the list
  EXPECT_EQ(p.main.CurrentIndex, 1);
  EXPECT_EQ(p.panel.EdtTitle.Text(), "");
  EXPECT_EQ(p.panel.EdtURL.Text(), "");
  EXPECT_FALSE(p.panel.ButDel.Enabled());
  EXPECT_FALSE(p.panel.SpbUP.Enabled());
  EXPECT_FALSE(p.panel.SpbDOWN.Enabled());
  p.main.SpbGo.Click();
  EXPECT_EQ(p.shell.opened, std::vector<std::string>{"u1"});
}

TEST(Patrol, StatusBarShowsTrimmedUrlOrTitleWhileBrowserAndPanelGetTheStoredUrl) {
  Program p;
  p.List("L", "Title A\r\n  http://a/ \r\nB\r\nhttp://b/\r\n");
  p.SettingsText("[Tavrin]\r\nLastList=L\r\nStatusBar=1\r\n");
  p.Start();
  EXPECT_EQ(p.main.StatusBar.Text(), "http://a/");
  EXPECT_EQ(p.main.CurrentURL, "http://a/");
  p.panel.Show();
  EXPECT_EQ(p.panel.EdtURL.Text(), "  http://a/ ");
  p.main.SpbGo.Click();
  EXPECT_EQ(p.shell.opened, std::vector<std::string>{"  http://a/ "});
  p.panel.RdoTitle.UserClick();  // the status text follows at once
  EXPECT_EQ(p.main.StatusBar.Text(), "B");
  p.main.SpbSkip.Click();
  EXPECT_EQ(p.main.StatusBar.Text(), "Title A");
}

TEST(Patrol, BlankUrlsAreNotHandedToTheShellButGoMovesOn) {
  Program p;
  p.List("L", "A\r\n \r\nB\r\nhttp://b/\r\n");
  p.SettingsText("[Tavrin]\r\nLastList=L\r\n");
  p.Start();
  p.main.SpbGo.Click();
  EXPECT_TRUE(p.shell.opened.empty());
  EXPECT_EQ(p.main.CurrentIndex, 1);
  p.main.SpbGo.Click();
  EXPECT_EQ(p.shell.opened, std::vector<std::string>{"http://b/"});
}

TEST(Tray, TipIsTheListAndTitleCutAt63Bytes) {
  Program p;
  std::string title = std::string(60, 'x') + "日本";  // "L - " + 60 bytes, then a character across the cut
  p.List("L", title + "\r\nu\r\n");
  p.SettingsText("[Tavrin]\r\nLastList=L\r\n");
  p.Start();
  ASSERT_EQ(p.tray.tip.size(), 63u);
  EXPECT_EQ(p.tray.tip, ("L - " + title).substr(0, 63));
  EXPECT_EQ(core::DropDanglingLeadByte(p.tray.tip), "L - " + std::string(59, 'x'));
}

TEST(Tray, MenuDoubleClickAndOtherMessages) {
  Program p;
  p.OpenEntries(2);
  int menus = 0;
  p.main.PopupTrayMenu = [&] { ++menus; };
  for (unsigned ignored : {512u, 513u, 514u, 517u}) p.main.WMTrayIcon(ignored);
  EXPECT_EQ(menus, 0);
  EXPECT_TRUE(p.shell.opened.empty());
  p.main.WMTrayIcon(516);
  EXPECT_EQ(menus, 1);
  p.main.PM_Help.Click();
  p.main.MnuHelpTopic.Click();
  EXPECT_EQ(p.help.topics, (std::vector<int>{1, -1}));
  p.main.TaskbarCreated();  // the shell came back: the icon is added with its tip
  EXPECT_EQ(p.tray.calls.back(), "add:L - T0");
  p.main.PM_Exit.Click();
  EXPECT_TRUE(p.application.terminated);
}
