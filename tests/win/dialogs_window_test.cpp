// The settings panel, the add-page, rename and About windows in process: their layout, the
// keyboard, the modal loop and the About box's links, over fake ports.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../unit/support/fake_ports.h"
#include "core/text_path.h"
#include "platform/win32/about_bitmap.h"
#include "platform/win32/about_window.h"
#include "platform/win32/config_window.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/dialog_windows.h"
#include "platform/win32/modal_win32.h"
#include "platform/win32/widgets.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

fs::path FreshFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  fs::path p = fs::path(temp) / (L"tavrin-dialogs-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(++counter));
  fs::create_directories(p / L"prog");
  fs::create_directories(p / L"windows");
  return p;
}

class PlainWindow : public win::Window {};

// The main form and panel over fakes, with a real (plain) main window to own the dialogs.
class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest()
      : root(FreshFolder()),
        store(root / L"windows", root / L"store"),
        ports{dialogs, shell, tray, help, application, sound, folders, browser, fakeModal, editing, store,
              [](const std::string&, const std::string&) { return std::string(); }},
        main(ports, core::TextFromPath(root / L"prog") + "\\"),
        panel(main) {
    main.AttachConfigDlg(&panel);
    main.FormCreate();
    main.Frame.SetBounds(150, 120, 180, 375);
    mainWindow.Create(L"TavrinDialogsTestMain", L"Tavrin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                      RECT{150, 120, 330, 495}, nullptr);
    modal.SetMainWindow(mainWindow.Handle());
  }
  ~DialogsTest() override {
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  UINT Dpi() const { return win::DpiOf(mainWindow.Handle()); }
  int S(int px) const { return win::Scale(px, Dpi()); }

  fs::path root;
  FakeDialogs dialogs;
  FakeShell shell;
  FakeTray tray;
  FakeHelp help;
  FakeApplication application;
  FakeSound sound;
  FakeFolders folders;
  FakeBrowser browser;
  FakeModal fakeModal;
  FakeListEditing editing;
  app::SettingsStore store;
  ui::Ports ports;
  ui::TMainForm main;
  ui::TConfigDlg panel;
  PlainWindow mainWindow;
  win::Win32Modal modal;
};

// A control's rectangle in its top-level window's client coordinates.
RECT ClientRectOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetAncestor(control, GA_ROOT), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Steps run one per timer tick inside a modal loop; a dialog still open after the last step is
// closed by the test, so a fault fails the test instead of hanging it.
class Script {
 public:
  Script(ui::ModalForm& form, std::vector<std::function<void()>> steps) : form_(form), steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &Script::Tick);
  }
  ~Script() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool Finished() const { return next_ >= steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* s = current_;
    if (!s) return;
    if (s->next_ < s->steps_.size()) {
      s->steps_[s->next_++]();
    } else if (!s->form_.IsClosed()) {
      ADD_FAILURE() << "the dialog stayed open after its script";
      s->form_.Close();
    }
  }
  static inline Script* current_ = nullptr;
  ui::ModalForm& form_;
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  UINT_PTR timer_ = 0;
};

// ---- the About picture ----

TEST(AboutPictureTest, IsA350By350PictureWithA256ColourPalette) {
  const auto& file = win::AboutPictureFile();
  ASSERT_EQ(file.size(), 124278u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(file.data() + win::AboutPictureInfoOffset);
  EXPECT_EQ(info->biWidth, 350);
  EXPECT_EQ(info->biHeight, 350);
  EXPECT_EQ(info->biBitCount, 8);
  EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(info->biClrUsed, 256u);
  // A drawn picture, not a blank: many of the palette's colours are in use.
  std::set<unsigned char> used(file.begin() + win::AboutPictureBitsOffset, file.end());
  EXPECT_GT(used.size(), 128u);
}

// ---- the settings panel ----

TEST_F(DialogsTest, PanelIsCreatedHiddenWithItsClientAreaAndRows) {
  win::ConfigWindow window(panel, mainWindow.Handle());
  HWND hwnd = window.Handle();
  ASSERT_TRUE(hwnd);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, S(407));
  EXPECT_EQ(client.bottom, S(388));

  struct Row {
    int id, left, top, width, height;
  };
  // Rows of the panel, of the group "詳細設定" (at 2, 136) and of the group inside it (at 10, 304).
  const Row rows[] = {
      {IDC_CFG_EDTTITLE, 53, 8, 217, 20},         {IDC_CFG_BUTGETFILENAME, 336, 8, 67, 21},
      {IDC_CFG_SPBUP, 4, 72, 25, 25},             {IDC_CFG_SPBDOWN, 4, 96, 25, 25},
      {IDC_CFG_BUTCLOSE, 284, 96, 75, 25},        {IDC_CFG_GROUPBOX1, 2, 136, 403, 249},
      {IDC_CFG_CHKSTARTLIST, 18, 176, 161, 17},   {IDC_CFG_BUTTESTPLAY, 354, 272, 41, 20},
      {IDC_CFG_GROUPBOX2, 10, 304, 385, 33},      {IDC_CFG_CHKLASTEXIT, 306, 317, 81, 17},
      {IDC_CFG_RDOAUTOEDIT, 10, 344, 385, 33},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    HWND control = GetDlgItem(hwnd, row.id);
    ASSERT_TRUE(control);
    const RECT r = ClientRectOf(control);
    EXPECT_EQ(r.left, S(row.left));
    EXPECT_EQ(r.top, S(row.top));
    EXPECT_EQ(r.right - r.left, S(row.width));
    EXPECT_EQ(r.bottom - r.top, S(row.height));
  }
  // The four items of the radio group lie in four columns inside it.
  RECT group = ClientRectOf(GetDlgItem(hwnd, IDC_CFG_RDOAUTOEDIT));
  int lastLeft = group.left;
  for (int i = 0; i < 4; ++i) {
    HWND item = GetDlgItem(hwnd, IDC_CFG_RDOAUTOEDIT_ITEM0 + i);
    ASSERT_TRUE(item);
    const RECT r = ClientRectOf(item);
    EXPECT_GT(r.left, lastLeft);
    EXPECT_GE(r.top, group.top);
    EXPECT_LE(r.bottom, group.bottom);
    lastLeft = r.left;
  }
  // Initial states come from the models.
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, IDC_CFG_BUTEDIT)));
  EXPECT_EQ(SendMessageW(GetDlgItem(hwnd, IDC_CFG_RDOAUTOEDIT_ITEM0 + 3), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(DialogsTest, TabVisitsThePanelsControlsInTheirOrder) {
  win::ConfigWindow window(panel, mainWindow.Handle());
  panel.Show();
  HWND hwnd = window.Handle();
  ASSERT_TRUE(IsWindowVisible(hwnd));
  // Everything that takes the focus made available.
  panel.ChkStartList.SetChecked(true);
  panel.ChkStatusBar.SetChecked(true);
  panel.RdoURL.SetChecked(true);
  panel.RdoAutoEdit.SetItemIndex(2);
  for (ui::Button* b : {&panel.ButEdit, &panel.ButAppend, &panel.ButDel, &panel.ButSetTime}) b->SetEnabled(true);

  const int expected[] = {
      IDC_CFG_EDTTITLE,    IDC_CFG_BUTEDIT,      IDC_CFG_BUTAPPEND,     IDC_CFG_BUTDEL,
      IDC_CFG_BUTHELP,     IDC_CFG_CHKTOP,       IDC_CFG_CHKSTARTLIST,  IDC_CFG_CMBSTARTLIST,
      IDC_CFG_CHKSHOW,     IDC_CFG_CHKSTATUSBAR, IDC_CFG_RDOAUTOEDIT_ITEM0 + 2,
      IDC_CFG_RDOURL,      IDC_CFG_EDTNTPSERVER, IDC_CFG_BUTSETTIME,    IDC_CFG_EDTSOUND,
      IDC_CFG_BUTSOUNDFILE, IDC_CFG_BUTTESTPLAY, IDC_CFG_CHKLASTTOP,    IDC_CFG_CHKLASTMESS,
      IDC_CFG_CHKLASTSOUND, IDC_CFG_CHKLASTEXIT, IDC_CFG_BUTRENAME,     IDC_CFG_BUTDELLIST,
      IDC_CFG_BUTCLOSE,    IDC_CFG_EDTURL,       IDC_CFG_BUTGETFILENAME, IDC_CFG_EDTTITLE,
  };
  SetForegroundWindow(hwnd);
  SetFocus(GetDlgItem(hwnd, IDC_CFG_EDTTITLE));
  for (std::size_t i = 1; i < std::size(expected); ++i) {
    MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    ASSERT_TRUE(window.PreTranslate(msg));
    HWND focus = GetFocus();
    // The combo box's focus lies on its own child edit when it has one; ours has none.
    EXPECT_EQ(GetDlgCtrlID(focus), expected[i]) << "after Tab number " << i;
  }
}

TEST_F(DialogsTest, CloseBoxRunsTheClosingStepsWithTheUsersChoices) {
  win::ConfigWindow window(panel, mainWindow.Handle());
  main.StayOnTop = true;
  panel.Show();
  HWND hwnd = window.Handle();
  EXPECT_TRUE(main.ConfigOpen);
  // Docked at the main window's right edge.
  RECT outer{};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.left, main.Frame.Left() + main.Frame.Width());
  EXPECT_EQ(outer.top, main.Frame.Top());
  // A user's click on a box reaches the model.
  SendMessageW(GetDlgItem(hwnd, IDC_CFG_CHKTOP), BM_CLICK, 0, 0);
  EXPECT_FALSE(panel.ChkTop.Checked());
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_FALSE(main.ConfigOpen);
  EXPECT_EQ(main.SpbWindwSize.Caption(), ">>");
  EXPECT_FALSE(main.StayOnTop);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// ---- the modal dialogs ----

TEST_F(DialogsTest, AddPageDialogEndsByItsKeysAndCloseBox) {
  main.CapturedTitle = "ページ";
  main.CapturedURL = "http://example.org/";
  struct Case {
    const char* name;
    UINT message;
    WPARAM key;
    int added;
  };
  const Case cases[] = {
      {"Enter", WM_KEYDOWN, VK_RETURN, 1},
      {"Esc", WM_KEYDOWN, VK_ESCAPE, 0},
      {"close box", WM_CLOSE, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int before = main.LstURL.Count();
    ui::TDlgAddList dialog(main);
    bool mainDisabled = false, focusInTitle = false;
    RECT outer{};
    Script script(dialog, {[&] {
                             HWND box = modal.ActiveDialog();
                             ASSERT_TRUE(box);
                             mainDisabled = !IsWindowEnabled(mainWindow.Handle());
                             focusInTitle = GetDlgCtrlID(GetFocus()) == IDC_DLG_EDTTITLE;
                             GetWindowRect(box, &outer);
                             PostMessageW(c.message == WM_CLOSE ? box : GetFocus(), c.message, c.key, 0);
                           }});
    modal.RunModal(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(dialog.IsClosed());
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(focusInTitle);
    EXPECT_TRUE(IsWindowEnabled(mainWindow.Handle()));
    EXPECT_EQ(modal.ActiveDialog(), nullptr);
    EXPECT_EQ(outer.left, main.Frame.Left() + 30);
    EXPECT_EQ(outer.top, main.Frame.Top() + 50);
    EXPECT_EQ(outer.right - outer.left, S(360));
    EXPECT_EQ(outer.bottom - outer.top, S(163));
    ASSERT_EQ(main.LstURL.Count(), before + c.added);
    if (c.added) {
      EXPECT_EQ(main.LstURL.Title(before), "ページ");
    }
  }
}

TEST_F(DialogsTest, RenameDialogTakesTheTypedName) {
  main.CmbList.SetText(main.CurrentListName);
  ui::TDlgReName dialog(main);
  RECT outer{};
  Script script(dialog, {[&] {
                          HWND box = modal.ActiveDialog();
                          ASSERT_TRUE(box);
                          GetWindowRect(box, &outer);
                          SetWindowTextW(GetDlgItem(box, IDC_DLG_EDTRENAME), L"新しい名前");
                          SendMessageW(GetDlgItem(box, IDC_DLG_OK), BM_CLICK, 0, 0);
                        }});
  modal.RunModal(dialog);
  EXPECT_TRUE(dialog.IsClosed());
  EXPECT_EQ(outer.left, main.Frame.Left() + 170);
  EXPECT_EQ(outer.top, main.Frame.Top() + 120);
  EXPECT_EQ(outer.right - outer.left, S(182));
  EXPECT_EQ(outer.bottom - outer.top, S(119));
  EXPECT_EQ(main.CurrentListName, "新しい名前");
  EXPECT_TRUE(fs::exists(root / L"prog" / L"新しい名前.ini"));
}

TEST_F(DialogsTest, AboutLinksFollowThePointerAndAClickElsewhereCloses) {
  ui::TDlgAbout dialog(main);
  HWND box = nullptr, panel1 = nullptr, url = nullptr, mail = nullptr;
  auto move = [](HWND h) { SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2)); };
  auto click = [](HWND h) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  };
  std::vector<std::pair<unsigned, unsigned>> colours;  // (url, mail) after each move
  auto record = [&] { colours.emplace_back(dialog.LblURLColor, dialog.LblMailColor); };
  RECT outer{}, client{}, panelBefore{}, panelAfter{};
  bool openAfterLinkClick = false;
  Script script(dialog, {
                            [&] {
                              box = modal.ActiveDialog();
                              ASSERT_TRUE(box);
                              panel1 = GetDlgItem(box, IDC_ABOUT_PANEL1);
                              url = GetDlgItem(panel1, IDC_ABOUT_LBLURL);
                              mail = GetDlgItem(panel1, IDC_ABOUT_LBLMAIL);
                              ASSERT_TRUE(url && mail);
                              GetWindowRect(box, &outer);
                              GetClientRect(box, &client);
                              move(url), record();
                              move(mail), record();
                              move(panel1), record();
                              move(mail), record();
                              move(box), record();  // the picture changes nothing
                            },
                            [&] {
                              // The picture is taller than the client area: it scrolls, panel included.
                              panelBefore = ClientRectOf(panel1);
                              SendMessageW(box, WM_VSCROLL, SB_PAGEDOWN, 0);
                              panelAfter = ClientRectOf(panel1);
                              click(url);
                              openAfterLinkClick = !dialog.IsClosed();
                            },
                            [&] { click(panel1); },
                        });
  modal.RunModal(dialog);
  using D = ui::TDlgAbout;
  const std::vector<std::pair<unsigned, unsigned>> expected = {
      {D::Blue, D::Black}, {D::Blue, D::Blue}, {D::Black, D::Black}, {D::Black, D::Blue}, {D::Black, D::Blue}};
  EXPECT_EQ(colours, expected);
  EXPECT_TRUE(openAfterLinkClick);
  EXPECT_EQ(shell.opened, std::vector<std::string>{dialog.SupportPageAddress()});
  EXPECT_TRUE(dialog.IsClosed());
  EXPECT_FALSE(IsWindow(box));
  EXPECT_LT(panelAfter.top, panelBefore.top);
  // Placed from the main window; the client area of 302 x 195 holds the two scroll bars.
  EXPECT_EQ(outer.left, main.Frame.Left() + 120);
  EXPECT_EQ(outer.top, main.Frame.Top() + 45);
  EXPECT_EQ(client.right, S(302) - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(client.bottom, S(195) - GetSystemMetrics(SM_CYHSCROLL));
}

}  // namespace
