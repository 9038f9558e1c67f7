// Get URL with the add-page dialog, dropped shortcut files and the About box.
#include <gtest/gtest.h>

#include "support/fake_ports.h"

using testing_support::Program;
using browser::QueryResult;
using browser::QueryStatus;

TEST(GetUrl, AsksIexploreThenNetscapeAndOpensTheDialogWithTrimmedTexts) {
  Program p;
  p.OpenEntries(1);
  p.main.Frame.SetBounds(100, 200, 180, 375);
  p.browser.answer = [](const std::string& service) {
    if (service == "IEXPLORE") return QueryResult{QueryStatus::NoServer, {}};
    return QueryResult{QueryStatus::Ok, "\" http://page/ \",\"\t日本語の題 \",\"0\""};
  };
  p.modal.addList = [](ui::TDlgAddList& d) {
    EXPECT_EQ(d.Frame.Top(), 250);
    EXPECT_EQ(d.Frame.Left(), 130);
    EXPECT_EQ(d.EdtTitle.Text(), "日本語の題");
    EXPECT_EQ(d.EdtURL.Text(), "http://page/");
    d.EdtTitle.UserSetText(" edited ");
    d.ButOK.Click();
    EXPECT_TRUE(d.IsClosed());
  };
  p.main.SpeedButton1.Click();
  EXPECT_EQ(p.browser.asked, (std::vector<std::string>{"IEXPLORE:2047", "NETSCAPE:2047"}));
  ASSERT_EQ(p.main.LstURL.Count(), 2);
  EXPECT_EQ(p.main.LstURL.Title(1), " edited ");
  EXPECT_EQ(p.main.LstURL.Url(1), "http://page/");
  EXPECT_EQ(p.main.LstURL.Selected(), 1);
  EXPECT_TRUE(p.main.ListDirty);
  EXPECT_EQ(p.main.CapturedTitle, "日本語の題");
}

TEST(GetUrl, CancelNoBrowserEmptyUrlAndStartFailure) {
  Program p;
  p.OpenEntries(1);
  p.browser.answer = [](const std::string&) { return QueryResult{QueryStatus::Ok, "\"http://a/\",\"A\""}; };
  p.main.Get1.Click();  // the default script cancels
  EXPECT_EQ(p.modal.runs, 1);
  EXPECT_EQ(p.main.LstURL.Count(), 1);
  EXPECT_FALSE(p.main.ListDirty);
  EXPECT_EQ(p.browser.asked.size(), 1u);  // IEXPLORE answered: NETSCAPE is not asked

  p.browser.answer = [](const std::string&) { return QueryResult{QueryStatus::Ok, "\"  \",\" T \""}; };
  p.main.SpeedButton1.Click();
  EXPECT_EQ(p.modal.runs, 1);
  EXPECT_EQ(p.main.CapturedTitle, "T");
  EXPECT_EQ(p.main.CapturedURL, "");

  p.browser.answer = [](const std::string&) { return QueryResult{QueryStatus::StartFailed, {}}; };
  p.main.SpeedButton1.Click();
  ASSERT_EQ(p.dialogs.boxes.size(), 2u);  // once per browser asked
  EXPECT_EQ(p.dialogs.boxes[0].text, "DDEの初期化に失敗しました。");
  EXPECT_EQ(p.dialogs.boxes[0].caption, "ブラウザ情報の取得");
  EXPECT_EQ(p.dialogs.boxes[0].flags, 0x30u);
  EXPECT_TRUE(p.dialogs.boxes[0].ownerless);
  EXPECT_EQ(p.main.CapturedTitle, "T");
}

TEST(GetUrl, ASecondRequestWhileTheDialogIsOpenIsIgnored) {
  Program p;
  p.OpenEntries(1);
  p.browser.answer = [](const std::string&) { return QueryResult{QueryStatus::Ok, "\"http://a/\",\"A\""}; };
  p.modal.addList = [&](ui::TDlgAddList& d) {
    p.main.Get1.Click();  // from the tray menu while the dialog shows
    d.ButCancelClick();
  };
  p.main.SpeedButton1.Click();
  EXPECT_EQ(p.modal.runs, 1);
  EXPECT_EQ(p.browser.asked.size(), 1u);
}

TEST(DroppedShortcut, AppendsTheEntryAndFillsThePanelEdits) {
  Program p;
  p.OpenEntries(1);
  auto file = p.root / "x\\サイト.url";  // the program's paths use backslashes
  testing_support::WriteBytes(file, "[InternetShortcut]\r\nURL=http://first/\r\nURL=https://second/x\r\n");
  std::vector<std::string> urls;
  p.panel.EdtURL.OnChange = [&] { urls.push_back(p.panel.EdtURL.Text()); };
  p.main.WMDropFiles(file.string());
  EXPECT_EQ(urls, (std::vector<std::string>{"http://first/", "https://second/x"}));
  EXPECT_EQ(p.panel.EdtTitle.Text(), "サイト");  // written although the panel is closed
  ASSERT_EQ(p.main.LstURL.Count(), 2);
  EXPECT_EQ(p.main.LstURL.Url(1), "https://second/x");
  EXPECT_EQ(p.main.LstURL.Selected(), 1);
  EXPECT_TRUE(p.main.ListDirty);

  p.main.WMDropFiles((p.root / "x\\missing.url").string());
  EXPECT_EQ(p.main.LstURL.Title(2), "missing");
  EXPECT_EQ(p.main.LstURL.Url(2), "");
}

TEST(About, PlacementLinksAndColours) {
  Program p;
  p.Start();
  p.main.Frame.SetBounds(300, 100, 180, 375);
  int colourChanges = 0;
  p.modal.about = [&](ui::TDlgAbout& d) {
    EXPECT_EQ(d.Frame.Top(), 145);
    EXPECT_EQ(d.Frame.Left(), 420);
    EXPECT_EQ(d.Label2Caption, "Version 0.30");
    EXPECT_EQ(d.LblMailCaption, " mailto:tavrin-maintainers@example.org");
    EXPECT_EQ(d.LblURLCaption.substr(0, 8), " file://");
    d.ColorsChanged = [&] { ++colourChanges; };
    d.LblURLMouseMove();
    EXPECT_EQ(d.LblURLColor, ui::TDlgAbout::Blue);
    EXPECT_EQ(d.LblMailColor, ui::TDlgAbout::Black);
    d.LblMailMouseMove();
    d.LblURLMouseMove();  // already blue: no change
    d.Label4MouseMove();
    EXPECT_EQ(d.LblURLColor, ui::TDlgAbout::Black);
    EXPECT_EQ(d.LblMailColor, ui::TDlgAbout::Black);
    d.LblMailClick();
    d.LblURLClick();
    EXPECT_FALSE(d.IsClosed());  // links leave the box open
    p.main.PM_About.Click();     // a second box is not opened
    d.Image1Click();
    EXPECT_TRUE(d.IsClosed());
  };
  bool broughtToFront = false;
  p.main.BringAboutToFront = [&] { broughtToFront = true; };
  p.main.MnuAbout.Click();
  EXPECT_EQ(colourChanges, 3);
  EXPECT_EQ(p.modal.runs, 1);
  EXPECT_TRUE(broughtToFront);
  ASSERT_EQ(p.shell.opened.size(), 2u);
  EXPECT_EQ(p.shell.opened[0], "mailto:tavrin-maintainers@example.org");
  EXPECT_NE(p.shell.opened[1].find("Tavrin.html#support"), std::string::npos);
  EXPECT_FALSE(p.main.AboutOpen());
}
