#include "platform/win32/main_window.h"

#include <algorithm>

#include "platform/win32/button_pictures.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/wide_text.h"

namespace win {

namespace {

// The layout table, pixels at 96 DPI.
constexpr int Panel2Height = 25;
constexpr int Panel4Height = 32;
constexpr int Panel5Width = 32;
constexpr int StatusBarHeight = 19;
constexpr int Panel1Bevel = 1;

void AppendItem(HMENU menu, int id, const std::string& caption, const char* shortcut = nullptr) {
  std::wstring text = Widen(caption);
  if (shortcut) text += L"\t" + Widen(shortcut);
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
}

void AppendSeparator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

}  // namespace

MainWindow::MainWindow(ui::TMainForm& form) : form_(form) {}

MainWindow::~MainWindow() {
  if (ProgramWindow() == Handle()) SetProgramWindow(nullptr);
  form_.PopupTrayMenu = nullptr;
  Destroy();
  if (listMenu_) DestroyMenu(listMenu_);
  if (trayMenu_) DestroyMenu(trayMenu_);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

bool MainWindow::Create(HICON icon) {
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  BuildMenus();
  const UINT dpi = SystemDpi();
  const ui::FormFrame& frame = form_.Frame;
  const RECT bounds{frame.Left(), frame.Top(), frame.Left() + Scale(frame.Width(), dpi),
                    frame.Top() + Scale(frame.Height(), dpi)};
  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  if (!Window::Create(TAVRIN_CLASS_MAIN, Widen(frame.Caption()), style, WS_EX_ACCEPTFILES, bounds, nullptr,
                      mainMenu_, icon)) {
    return false;
  }
  SetProgramWindow(Handle());
  DragAcceptFiles(Handle(), TRUE);
  BuildControls();
  BindFrame(form_.Frame, false);
  ApplyFrame();
  form_.PopupTrayMenu = [this] { PopupTrayMenu(); };
  Layout();
  return true;
}

void MainWindow::BuildMenus() {
  mainMenu_ = CreateMenu();
  HMENU control = CreatePopupMenu();
  AppendItem(control, IDM_CONFIG, form_.MnuConfig.Caption);
  AppendItem(control, IDM_HIDE, form_.MnuHide.Caption);
  AppendSeparator(control);  // N1
  AppendItem(control, IDM_EXIT, form_.MnuExit.Caption);
  AppendMenuW(mainMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(control), Widen("コントロール(&C)").c_str());
  HMENU help = CreatePopupMenu();
  AppendItem(help, IDM_HELPTOPIC, form_.MnuHelpTopic.Caption, "F1");
  AppendSeparator(help);  // N2
  AppendItem(help, IDM_ABOUT, form_.MnuAbout.Caption);
  AppendMenuW(mainMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), Widen("ヘルプ(&H)").c_str());

  listMenu_ = CreatePopupMenu();
  AppendItem(listMenu_, IDM_LIST_DEL, form_.PMnuListDel.Caption, "Ctrl+Del");
  AppendItem(listMenu_, IDM_LIST_RENAME, form_.PMnuListRename.Caption, "F2");

  trayMenu_ = CreatePopupMenu();
  AppendItem(trayMenu_, IDM_PM_SHOW, form_.PM_Show.Caption);
  AppendItem(trayMenu_, IDM_PM_NEXTLIST, form_.PM_NextList.Caption);
  AppendItem(trayMenu_, IDM_PM_NEXTURL, form_.PM_NextURL.Caption);
  AppendSeparator(trayMenu_);  // N3
  AppendItem(trayMenu_, IDM_PM_SETTIME, form_.PM_SetTime.Caption);
  AppendItem(trayMenu_, IDM_PM_HELP, form_.PM_Help.Caption);
  AppendItem(trayMenu_, IDM_PM_ABOUT, form_.PM_About.Caption);
  AppendSeparator(trayMenu_);  // N4
  AppendItem(trayMenu_, IDM_PM_EXIT, form_.PM_Exit.Caption);
  AppendItem(trayMenu_, IDM_PM_GET, form_.Get1.Caption);

  ACCEL keys[] = {{FVIRTKEY, VK_F1, static_cast<WORD>(IDM_HELPTOPIC)}};
  accelerators_ = CreateAcceleratorTableW(keys, 1);
}

void MainWindow::BuildControls() {
  HWND hwnd = Handle();
  const UINT dpi = Dpi();
  panel1_.Create(hwnd, IDC_MAIN_PANEL1, {}, dpi, true);
  panel2_.Create(panel1_.Handle(), IDC_MAIN_PANEL2, {}, dpi);
  panel3_.Create(panel1_.Handle(), IDC_MAIN_PANEL3, {}, dpi);
  panel4_.Create(panel1_.Handle(), IDC_MAIN_PANEL4, {}, dpi);

  cmbList_.Create(panel2_.Handle(), IDC_MAIN_CMBLIST, {2, 4, 113, 200}, form_.CmbList, dpi);
  butNewList_.Create(panel2_.Handle(), IDC_MAIN_BUTNEWLIST, {120, 4, 49, 19}, form_.ButNewList, dpi);

  lstURL_.Create(panel3_.Handle(), IDC_MAIN_LSTURL, {}, form_.LstURL, dpi,
                 LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_SINGLESEL);
  lstURL_.AddColumn("タイトル", 130);
  lstURL_.AddColumn("URL", 300);
  lstURL_.SetHint("URLリスト");
  lstURL_.OnDblClick = [this] { form_.LstURLDblClick(); };
  lstURL_.OnTitleEdited = [this](int index, const std::string& title) { form_.LstURLEdited(index, title); };
  lstURL_.OnContextMenu = [this](POINT pt) { PopupListMenu(pt); };
  lstURL_.OnKeyDown = [this](UINT key) { return ListKey(key); };

  HWND row = panel4_.Handle();
  spbTop_.Create(row, IDC_MAIN_SPBTOP, {2, 4, 25, 25}, form_.SpbTop, dpi, &PaintTopPicture);
  spbGo_.Create(row, IDC_MAIN_SPBGO, {30, 4, 25, 25}, form_.SpbGo, dpi, &PaintGoPicture);
  spbSkip_.Create(row, IDC_MAIN_SPBSKIP, {58, 4, 25, 25}, form_.SpbSkip, dpi, &PaintSkipPicture);
  speedButton1_.Create(row, IDC_MAIN_SPEEDBUTTON1, {86, 4, 25, 25}, form_.SpeedButton1, dpi, &PaintGetUrlPicture);
  spbSetTime_.Create(row, IDC_MAIN_SPBSETTIME, {114, 4, 25, 25}, form_.SpbSetTime, dpi, &PaintSetTimePicture);
  panel5_.Create(row, IDC_MAIN_PANEL5, {}, dpi);
  spbWindwSize_.Create(panel5_.Handle(), IDC_MAIN_SPBWINDWSIZE, {4, 4, 25, 25}, form_.SpbWindwSize, dpi);

  statusBar_.Create(hwnd, IDC_MAIN_STATUSBAR, {}, form_.StatusBar, dpi);
  statusBar_.OnVisibilityChanged = [this] { Layout(); };
}

// Panel1 fills the window above the status bar; inside it Panel2 (top), Panel4 (bottom) and
// Panel3 (the rest, filled by the URL list); Panel5 sits at the right end of Panel4.
void MainWindow::Layout() {
  HWND hwnd = Handle();
  if (!hwnd || IsIconic(hwnd)) return;
  const UINT dpi = Dpi();
  RECT client{};
  GetClientRect(hwnd, &client);
  const int width = client.right, height = client.bottom;
  const bool status = form_.StatusBar.Visible();
  const int statusHeight = status ? std::min(Scale(StatusBarHeight, dpi), height) : 0;
  const int height1 = height - statusHeight;
  panel1_.MoveTo(0, 0, width, height1);
  if (status) statusBar_.MoveTo(0, height1, width, statusHeight);

  const int bevel = Scale(Panel1Bevel, dpi);
  const int innerWidth = std::max(0, width - 2 * bevel), innerHeight = std::max(0, height1 - 2 * bevel);
  const int top = std::min(Scale(Panel2Height, dpi), innerHeight);
  const int bottom = std::min(Scale(Panel4Height, dpi), innerHeight - top);
  panel2_.MoveTo(bevel, bevel, innerWidth, top);
  panel4_.MoveTo(bevel, bevel + innerHeight - bottom, innerWidth, bottom);
  const int middle = std::max(0, innerHeight - top - bottom);
  panel3_.MoveTo(bevel, bevel + top, innerWidth, middle);
  lstURL_.MoveTo(0, 0, innerWidth, middle);
  panel5_.MoveTo(std::max(0, innerWidth - Scale(Panel5Width, dpi)), 0, Scale(Panel5Width, dpi), Scale(Panel4Height, dpi));
}

void MainWindow::OnDpiChanged(UINT dpi) {
  for (Widget* w : std::initializer_list<Widget*>{&cmbList_, &butNewList_, &lstURL_, &spbTop_, &spbGo_, &spbSkip_,
                                                  &speedButton1_, &spbSetTime_, &spbWindwSize_, &statusBar_}) {
    w->ApplyDpi(dpi);
  }
  Layout();
}

ui::MenuItem* MainWindow::MenuItemOf(int id) {
  switch (id) {
    case IDM_CONFIG: return &form_.MnuConfig;
    case IDM_HIDE: return &form_.MnuHide;
    case IDM_EXIT: return &form_.MnuExit;
    case IDM_HELPTOPIC: return &form_.MnuHelpTopic;
    case IDM_ABOUT: return &form_.MnuAbout;
    case IDM_LIST_DEL: return &form_.PMnuListDel;
    case IDM_LIST_RENAME: return &form_.PMnuListRename;
    case IDM_PM_SHOW: return &form_.PM_Show;
    case IDM_PM_NEXTLIST: return &form_.PM_NextList;
    case IDM_PM_NEXTURL: return &form_.PM_NextURL;
    case IDM_PM_SETTIME: return &form_.PM_SetTime;
    case IDM_PM_HELP: return &form_.PM_Help;
    case IDM_PM_ABOUT: return &form_.PM_About;
    case IDM_PM_EXIT: return &form_.PM_Exit;
    case IDM_PM_GET: return &form_.Get1;
    default: return nullptr;
  }
}

void MainWindow::SyncMenu(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id == static_cast<UINT>(-1) || id == 0) continue;
    if (ui::MenuItem* item = MenuItemOf(static_cast<int>(id))) {
      EnableMenuItem(menu, id, MF_BYCOMMAND | (item->Enabled() ? MF_ENABLED : MF_GRAYED));
    }
  }
}

// PopupMenu1 at the cursor. The window comes to the foreground first and a WM_NULL follows, so
// the menu closes when the user clicks elsewhere.
void MainWindow::PopupTrayMenu() {
  POINT pt{};
  GetCursorPos(&pt);
  SetForegroundWindow(Handle());
  SyncMenu(trayMenu_);
  TrackPopupMenu(trayMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, Handle(), nullptr);
  PostMessageW(Handle(), WM_NULL, 0, 0);
}

void MainWindow::PopupListMenu(POINT screen) {
  form_.PMnuListPopup();
  SyncMenu(listMenu_);
  TrackPopupMenu(listMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
}

// The URL list's shortcuts act only while the list has the focus.
bool MainWindow::ListKey(UINT virtualKey) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0, alt = GetKeyState(VK_MENU) < 0;
  if (virtualKey == VK_DELETE && ctrl && !shift && !alt) {
    form_.PMnuListPopup();  // the items' enabling, as when the menu opens
    form_.PMnuListDel.Click();
    return true;
  }
  if (virtualKey == VK_F2 && !ctrl && !shift && !alt) {
    form_.PMnuListPopup();
    form_.PMnuListRename.Click();
    return true;
  }
  return false;
}

bool MainWindow::TranslateKeys(MSG& msg) {
  if (!accelerators_ || !Handle() || !msg.hwnd) return false;
  if (msg.hwnd != Handle() && GetAncestor(msg.hwnd, GA_ROOT) != Handle()) return false;
  return ::TranslateAcceleratorW(Handle(), accelerators_, &msg) != 0;
}

void MainWindow::DropFiles(HDROP drop) {
  struct Finish {
    HDROP drop;
    ~Finish() { DragFinish(drop); }
  } finish{drop};
  if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
  const UINT copied = DragQueryFileW(drop, 0, path.data(), length + 1);
  path.resize(copied);
  form_.WMDropFiles(Narrow(path));
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (taskbarCreated_ && msg == taskbarCreated_) {
    form_.TaskbarCreated();
    return 0;
  }
  switch (msg) {
    case ui::TrayCallbackMessage:
      form_.WMTrayIcon(static_cast<unsigned>(LOWORD(lParam)));
      return 0;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_COMMAND:
      if (lParam == 0) {
        if (ui::MenuItem* item = MenuItemOf(LOWORD(wParam))) {
          item->Click();
          return 0;
        }
      }
      break;
    case WM_INITMENUPOPUP:
      SyncMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        form_.ApplicationMinimize();
      } else {
        Layout();
      }
      return 0;
    case WM_CLOSE:
      form_.Close();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace win
