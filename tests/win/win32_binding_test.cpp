// The Win32 layer in process: control models bound to real controls, the CP932 conversion at the
// API boundary, and the records the tray and help adapters hand to the shell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/entry_list.h"
#include "platform/win32/app_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/widgets.h"
#include "ui/controls.h"

namespace {

// A hidden top-level window holding the controls under test.
class Host : public win::Window {
 public:
  Host() { Create(L"TavrinBindingTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 400, 300}, nullptr); }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::wstring ItemText(HWND list, int item, int subItem) {
  wchar_t buffer[256] = {};
  LVITEMW lv{};
  lv.iSubItem = subItem;
  lv.pszText = buffer;
  lv.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lv));
  return buffer;
}

bool ControlSelected(HWND list, int item) {
  return (SendMessageW(list, LVM_GETITEMSTATE, item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

class BindingTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
  Host host;
};

TEST_F(BindingTest, OwnerDataListShowsAHundredThousandEntriesAndFollowsTheUser) {
  lists::EntryList model;
  std::vector<int> reports;
  model.OnChange = [&](int index) { reports.push_back(index); };
  win::ListView view;
  view.Create(host.Handle(), 100, {0, 0, 300, 200}, model, 96, LVS_SHOWSELALWAYS | LVS_SINGLESEL);
  view.AddColumn("タイトル", 130);
  view.AddColumn("URL", 300);
  for (int i = 0; i < 100000; ++i) model.AddSilently("項目" + std::to_string(i), "http://h/" + std::to_string(i));
  model.ViewReset();
  HWND list = view.Handle();

  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 100000);
  EXPECT_EQ(ItemText(list, 99999, 0), L"項目99999");
  EXPECT_EQ(ItemText(list, 99999, 1), L"http://h/99999");

  // The program selects: the control shows it, and the only reports are the model's own.
  model.Select(0);
  model.Select(99999);
  Pump();
  EXPECT_TRUE(ControlSelected(list, 99999));
  EXPECT_FALSE(ControlSelected(list, 0));
  EXPECT_EQ(reports, (std::vector<int>{0, 0, 99999}));

  // The user moves the selection with the keyboard: the model follows, the entry losing the
  // selection reported first.
  reports.clear();
  SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
  SendMessageW(list, WM_KEYUP, VK_UP, 0);
  Pump();
  EXPECT_EQ(model.Selected(), 99998);
  EXPECT_EQ(reports, (std::vector<int>{99999, 99998}));

  // The control loses its selection (as a click on empty space does): the model deselects.
  reports.clear();
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  Pump();
  EXPECT_EQ(model.Selected(), -1);
  EXPECT_EQ(reports, (std::vector<int>{99998}));

  // A title change shows at once.
  model.SetTitle(5, "新しい題");
  EXPECT_EQ(ItemText(list, 5, 0), L"新しい題");
}

TEST_F(BindingTest, ComboBoxShowsTheModelsOrderAndReportsOnlyUserChanges) {
  ui::ComboBox model;
  model.Sorted = true;
  int changes = 0;
  model.OnChange = [&] { ++changes; };
  win::ComboBox combo;
  combo.Create(host.Handle(), 101, {0, 0, 120, 200}, model, 96);
  HWND hwnd = combo.Handle();
  auto items = [hwnd] {
    std::vector<std::wstring> out;
    const int count = static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t buffer[64] = {};
      SendMessageW(hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
      out.push_back(buffer);
    }
    return out;
  };

  model.SetItems({"ニュース", "b", "A"});
  model.Add("C");
  model.SetItemIndex(model.IndexOfName("c"));
  EXPECT_EQ(items(), (std::vector<std::wstring>{L"A", L"b", L"C", L"ニュース"}));
  EXPECT_EQ(SendMessageW(hwnd, CB_GETCURSEL, 0, 0), 2);
  model.Delete(0);
  EXPECT_EQ(items(), (std::vector<std::wstring>{L"b", L"C", L"ニュース"}));
  EXPECT_EQ(SendMessageW(hwnd, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(changes, 0);

  // The user picks the last item: the control notifies its parent, the model runs its rule once.
  SendMessageW(hwnd, CB_SETCURSEL, 2, 0);
  SendMessageW(host.Handle(), WM_COMMAND, MAKEWPARAM(101, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hwnd));
  EXPECT_EQ(model.ItemIndex(), 2);
  EXPECT_EQ(model.Text(), "ニュース");
  EXPECT_EQ(changes, 1);
}

TEST_F(BindingTest, EditAndCheckBoxRunTheirRuleOncePerChange) {
  ui::Edit edit;
  int editChanges = 0;
  edit.OnChange = [&] { ++editChanges; };
  win::Edit editView;
  editView.Create(host.Handle(), 102, {0, 0, 100, 20}, edit, 96);

  edit.SetText("設定");  // the program: the rule runs once, the control's echo is not reported
  wchar_t buffer[64] = {};
  GetWindowTextW(editView.Handle(), buffer, 64);
  EXPECT_STREQ(buffer, L"設定");
  EXPECT_EQ(editChanges, 1);
  SetWindowTextW(editView.Handle(), L"入力\u4E02");  // the user types; U+4E02 has no CP932 form
  EXPECT_EQ(edit.Text(), "入力?");
  EXPECT_EQ(editChanges, 2);

  ui::CheckBox check;
  int clicks = 0;
  check.OnClick = [&] { ++clicks; };
  win::CheckBox checkView;
  checkView.Create(host.Handle(), 103, {0, 30, 100, 20}, check, 96);
  check.SetChecked(true);
  EXPECT_EQ(SendMessageW(checkView.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks, 1);
  SendMessageW(checkView.Handle(), BM_CLICK, 0, 0);  // the user
  EXPECT_FALSE(check.Checked());
  EXPECT_EQ(SendMessageW(checkView.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(clicks, 2);
}

TEST_F(BindingTest, SpeedButtonClicksWhileEnabledAndFollowsItsModel) {
  ui::Button model;
  int clicks = 0;
  model.OnClick = [&] { ++clicks; };
  model.SetCaption(">>");
  win::SpeedButton button;
  button.Create(host.Handle(), 104, {0, 0, 25, 25}, model, 96);
  HWND hwnd = button.Handle();

  SendMessageW(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  model.SetCaption("<<");
  wchar_t caption[8] = {};
  GetWindowTextW(hwnd, caption, 8);
  EXPECT_STREQ(caption, L"<<");
  model.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  model.SetVisible(false);
  EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE);
}

TEST(TextConversion, Cp932AtTheBoundary) {
  struct Case {
    std::string cp932;
    std::wstring wide;
  };
  const Case cases[] = {
      {"", L""},
      {"Tavrin", L"Tavrin"},
      {"リスト名", L"リスト名"},
      {std::string("ab\x83", 3), L"ab"},  // a lead byte cut off at the end is dropped
  };
  for (const Case& c : cases) EXPECT_EQ(win::Widen(c.cp932), c.wide) << c.cp932;
  EXPECT_EQ(win::Narrow(L"表示"), "表示");
  EXPECT_EQ(win::Narrow(L"a\u4E02b"), "a?b");
}

TEST(TrayRecord, FieldsOfEachCall) {
  HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  const NOTIFYICONDATAW add = win::Win32Tray::Record(window, NIF_MESSAGE | NIF_ICON | NIF_TIP, icon, "Tavrin");
  EXPECT_EQ(add.cbSize, NOTIFYICONDATAW_V1_SIZE);
  EXPECT_EQ(add.hWnd, window);
  EXPECT_EQ(add.uID, 100u);
  EXPECT_EQ(add.uFlags, 7u);
  EXPECT_EQ(add.uCallbackMessage, 1025u);
  EXPECT_EQ(add.hIcon, icon);
  EXPECT_STREQ(add.szTip, L"Tavrin");

  const NOTIFYICONDATAW remove = win::Win32Tray::Record(window, 0, icon, "ignored");
  EXPECT_EQ(remove.uFlags, 0u);
  EXPECT_EQ(remove.uCallbackMessage, 0u);
  EXPECT_EQ(remove.hIcon, nullptr);
  EXPECT_STREQ(remove.szTip, L"");

  // 62 ASCII bytes and a double-byte character: the 63-byte cut halves it, the half is dropped.
  const std::string longTip = std::string(62, 'a') + "表";
  const NOTIFYICONDATAW modify = win::Win32Tray::Record(window, NIF_TIP, nullptr, longTip);
  EXPECT_EQ(modify.uFlags, 4u);
  EXPECT_EQ(std::wstring(modify.szTip), std::wstring(62, L'a'));
  const NOTIFYICONDATAW whole = win::Win32Tray::Record(window, NIF_TIP, nullptr, std::string(61, 'a') + "表");
  EXPECT_EQ(std::wstring(whole.szTip), std::wstring(61, L'a') + L"表");
}

TEST(HelpAddress, FileUrlBesideTheProgramWithItsAnchor) {
  const win::Win32Help help("C:\\Program Files\\ツール\\");
  EXPECT_EQ(help.Address("#tray"), "file:///C:/Program%20Files/ツール/Tavrin.html#tray");
}

}  // namespace
