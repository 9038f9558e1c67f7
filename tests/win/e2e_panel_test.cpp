// The settings panel end to end: docking, the entry editor, the options reaching Tavrin.ini, and
// renaming and deleting lists through the panel's buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/tavrin_test.h"
#include "platform/win32/control_ids.h"

namespace {

using namespace harness;

bool Checked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

bool TopMost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  for (int i = 0, n = ComboCount(combo); i < n; ++i) items.push_back(ComboItemText(combo, i));
  return items;
}

class PanelTest : public TavrinTest {
 protected:
  // Starts the program and opens the panel with ">>"; the panel's window, nullptr on failure.
  HWND StartWithPanel() {
    Main = StartApp();
    if (!Main) return nullptr;
    // Start-up ends with the panel created and the main window shown.
    if (!WaitUntil([&] { return IsVisible(Main) && App.FindWindowOfClass(TAVRIN_CLASS_CONFIG); })) {
      ADD_FAILURE() << "start-up did not finish";
      return nullptr;
    }
    SizeButton = FindChild(Main, IDC_MAIN_SPBWINDWSIZE);
    if (!SizeButton) {
      ADD_FAILURE() << "no >> button";
      return nullptr;
    }
    EXPECT_EQ(WindowText(SizeButton), ">>");
    Click(SizeButton);
    HWND panel = App.WaitForWindowOfClass(TAVRIN_CLASS_CONFIG);
    if (!panel || !WaitUntil([&] { return IsVisible(panel); })) {
      ADD_FAILURE() << "the settings panel did not show after >>";
      return nullptr;
    }
    return panel;
  }

  // ButClose, then the panel is hidden and the button reads ">>" again.
  void ClosePanel(HWND panel) {
    PressButton(FindChild(panel, IDC_CFG_BUTCLOSE));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(panel); })) << "ButClose did not hide the panel";
    EXPECT_TRUE(WaitUntil([&] { return WindowText(SizeButton) == ">>"; }));
  }

  HWND Main = nullptr;
  HWND SizeButton = nullptr;
};

TEST_F(PanelTest, DocksAtTheRightEdgeAndAppendedEntryMovesUp) {
  Folder.WriteFile("List1.ini", "A\r\nhttp://a/\r\nB\r\nhttp://b/\r\n");
  HWND panel = StartWithPanel();
  ASSERT_NE(panel, nullptr);
  const RECT mainRect = WindowRect(Main), panelRect = WindowRect(panel);
  EXPECT_EQ(panelRect.left, mainRect.right);
  EXPECT_EQ(panelRect.top, mainRect.top);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(SizeButton) == "<<"; }));
  EXPECT_EQ(WindowText(panel), "設定");

  // The editor shows the current entry (the first one).
  HWND title = FindChild(panel, IDC_CFG_EDTTITLE), url = FindChild(panel, IDC_CFG_EDTURL);
  HWND append = FindChild(panel, IDC_CFG_BUTAPPEND);
  ASSERT_TRUE(title && url && append);
  EXPECT_EQ(WindowText(title), "A");
  EXPECT_EQ(WindowText(url), "http://a/");
  PumpFor(300);  // let both windows paint
  EXPECT_FALSE(SaveScreenshot("panel").empty());

  // A new entry: the edit's change notification reaches the program (ButAppend follows the URL).
  ASSERT_TRUE(SetText(url, L""));
  EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(append); })) << "emptying EdtURL left ButAppend enabled";
  ASSERT_TRUE(SetText(title, Wide("新しいページ")));
  ASSERT_TRUE(SetText(url, L"http://c/"));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(append); })) << "typing a URL did not enable ButAppend";
  PressButton(append);
  HWND list = FindChild(Main, IDC_MAIN_LSTURL);
  ASSERT_TRUE(WaitUntil([&] { return ListViewCount(list) == 3; })) << "ButAppend added no entry";
  EXPECT_TRUE(WaitUntil([&] { return ListViewSelection(list) == 2; })) << "the new entry is not selected";

  Click(FindChild(panel, IDC_CFG_SPBUP));
  ASSERT_TRUE(WaitUntil([&] { return ListViewText(list, 1, 0) == "新しいページ"; }))
      << "SpbUP did not move the entry";
  EXPECT_EQ(ListViewRows(list),
            (std::vector<Row>{{"A", "http://a/"}, {"新しいページ", "http://c/"}, {"B", "http://b/"}}));
  EXPECT_TRUE(WaitUntil([&] { return ListViewSelection(list) == 1; })) << "the moved entry is not selected";

  ClosePanel(panel);
  CloseApp();
  EXPECT_EQ(Folder.ReadFile("List1.ini").value_or("<missing>"),
            "A\r\nhttp://a/\r\n新しいページ\r\nhttp://c/\r\nB\r\nhttp://b/\r\n");
}

TEST_F(PanelTest, ChangedOptionsReachTheSettingsFile) {
  HWND panel = StartWithPanel();
  ASSERT_NE(panel, nullptr);
  HWND top = FindChild(panel, IDC_CFG_CHKTOP), lastMess = FindChild(panel, IDC_CFG_CHKLASTMESS);
  HWND askItem = FindChild(panel, IDC_CFG_RDOAUTOEDIT_ITEM0 + 2);
  ASSERT_TRUE(top && lastMess && askItem);
  ASSERT_TRUE(Checked(top));
  ASSERT_FALSE(Checked(lastMess));
  ASSERT_TRUE(Checked(FindChild(panel, IDC_CFG_RDOAUTOEDIT_ITEM0 + 3)));

  PressButton(top);
  PressButton(lastMess);
  PressButton(askItem);
  EXPECT_TRUE(WaitUntil([&] { return !Checked(top) && Checked(lastMess) && Checked(askItem); }));
  EXPECT_FALSE(Checked(FindChild(panel, IDC_CFG_RDOAUTOEDIT_ITEM0 + 3)));

  ClosePanel(panel);
  CloseApp();
  std::optional<std::string> ini = ReadSettings();
  ASSERT_TRUE(ini.has_value()) << "no Tavrin.ini written";
  EXPECT_EQ(ProfileValue(*ini, "Tavrin", "Top"), "0");
  EXPECT_EQ(ProfileValue(*ini, "Tavrin", "LastMess"), "1");
  EXPECT_EQ(ProfileValue(*ini, "Tavrin", "AutoEdit"), "2");
}

TEST_F(PanelTest, StayOnTopFollowsTheOptionWhenThePanelCloses) {
  HWND panel = StartWithPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(TopMost(Main)) << "the main window does not stay on top with the default setting";
  EXPECT_TRUE(TopMost(panel)) << "the panel does not stay on top with the default setting";
  PressButton(FindChild(panel, IDC_CFG_CHKTOP));
  EXPECT_TRUE(WaitUntil([&] { return !Checked(FindChild(panel, IDC_CFG_CHKTOP)); }));
  ClosePanel(panel);
  EXPECT_TRUE(WaitUntil([&] { return !TopMost(Main) && !TopMost(panel); }, 3000))
      << "after closing: main window topmost " << TopMost(Main) << ", panel topmost " << TopMost(panel);
}

TEST_F(PanelTest, ListsAreRenamedAndDeletedThroughThePanel) {
  Folder.WriteFile("A.ini", "a1\r\nhttp://a1/\r\n");
  Folder.WriteFile("B.ini", "b1\r\nhttp://b1/\r\n");
  HWND panel = StartWithPanel();
  ASSERT_NE(panel, nullptr);
  HWND combo = FindChild(Main, IDC_MAIN_CMBLIST), list = FindChild(Main, IDC_MAIN_LSTURL);
  ASSERT_EQ(WindowText(combo), "A");

  // Rename "A" onto the existing "B": refused with the two-line message, the dialog stays open.
  PressButton(FindChild(panel, IDC_CFG_BUTRENAME));
  HWND dialog = App.WaitForWindowOfClass(TAVRIN_CLASS_RENAME);
  ASSERT_NE(dialog, nullptr) << "ButReName opened no rename dialog";
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(dialog); }));  // created, filled and shown
  const RECT mainRect = WindowRect(Main), dialogRect = WindowRect(dialog);
  EXPECT_EQ(dialogRect.top, mainRect.top + 120);
  EXPECT_EQ(dialogRect.left, mainRect.left + 170);
  HWND edit = FindChild(dialog, IDC_DLG_EDTRENAME);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(WindowText(edit), "A");
  ASSERT_TRUE(SetText(edit, L"B"));
  PressButton(FindChild(dialog, IDC_DLG_OK));
  HWND box = App.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "renaming onto an existing list showed no message";
  EXPECT_EQ(MessageBoxText(box), "リスト名の変更に失敗しました\n同じ名前のリストが存在する可能性があります")
      << Utf8FromCp932(MessageBoxText(box));
  AnswerMessageBox(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(IsWindow(dialog)) << "the rename dialog closed after a failed rename";
  EXPECT_TRUE(Folder.Exists("A.ini"));

  // A free name: the file is renamed and the name takes the old one's place.
  ASSERT_TRUE(SetText(edit, Wide("名前")));
  PressButton(FindChild(dialog, IDC_DLG_OK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the rename dialog stayed open";
  EXPECT_TRUE(Folder.Exists("名前.ini"));
  EXPECT_FALSE(Folder.Exists("A.ini"));
  EXPECT_EQ(Folder.ReadFile("名前.ini").value_or("<missing>"), "a1\r\nhttp://a1/\r\n");
  EXPECT_EQ(ComboItems(combo), (std::vector<std::string>{"名前", "B"}));
  EXPECT_EQ(WindowText(combo), "名前");

  // Delete the open list: asked first, then its file goes and the remaining list opens.
  PressButton(FindChild(panel, IDC_CFG_BUTDELLIST));
  box = App.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "ButDelList asked nothing";
  EXPECT_EQ(MessageBoxText(box), " リスト\"名前\" を削除していいですか？") << Utf8FromCp932(MessageBoxText(box));
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !Folder.Exists("名前.ini"); })) << "the list file was not deleted";
  EXPECT_TRUE(WaitUntil([&] { return WindowText(combo) == "B"; }));
  EXPECT_EQ(ComboItems(combo), (std::vector<std::string>{"B"}));
  EXPECT_EQ(ListViewRows(list), (std::vector<Row>{{"b1", "http://b1/"}}));

  ClosePanel(panel);
  CloseApp();
  EXPECT_EQ(Folder.List(), (std::vector<std::string>{"B.ini", "Tavrin.exe"}));
  EXPECT_EQ(Folder.ReadFile("B.ini").value_or("<missing>"), "b1\r\nhttp://b1/\r\n");
}

}  // namespace
