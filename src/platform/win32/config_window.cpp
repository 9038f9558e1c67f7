#include "platform/win32/config_window.h"

#include "platform/win32/control_ids.h"
#include "platform/win32/dialog_windows.h"
#include "platform/win32/wide_text.h"

namespace win {
namespace {

constexpr int ClientWidth = 407, ClientHeight = 388;  // at 96 DPI
// A dialog border: fixed size, no minimise or maximise box.
constexpr DWORD PanelStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD PanelExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

// The rows of the group boxes are placed relative to their box.
constexpr Bounds In(const Bounds& box, Bounds row) {
  row.left += box.left;
  row.top += box.top;
  return row;
}
constexpr Bounds GroupBox1Row{2, 136, 403, 249};
constexpr Bounds GroupBox2Row = In(GroupBox1Row, {8, 168, 385, 33});

// The arrow pictures of SpbUP and SpbDOWN, 16 x 16.
void PaintArrow(HDC dc, bool up) {
  HBRUSH ink = CreateSolidBrush(RGB(0, 0, 0));
  // Head: rows widening by one pixel each side; stem: four pixels wide.
  for (int i = 0; i < 6; ++i) {
    const int y = up ? 3 + i : 12 - i;
    const RECT row{7 - i, y, 9 + i, y + 1};
    FillRect(dc, &row, ink);
  }
  const RECT stem = up ? RECT{6, 9, 10, 14} : RECT{6, 2, 10, 7};
  FillRect(dc, &stem, ink);
  DeleteObject(ink);
}
void PaintUpArrow(HDC dc) { PaintArrow(dc, true); }
void PaintDownArrow(HDC dc) { PaintArrow(dc, false); }

void AddStyle(HWND hwnd, DWORD style) {
  if (!hwnd) return;
  SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | static_cast<LONG_PTR>(style));
}

void SetTabStop(HWND hwnd, bool on) {
  if (!hwnd) return;
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  style = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
}

}  // namespace

ConfigWindow::ConfigWindow(ui::TConfigDlg& dialog, HWND owner) : dialog_(dialog) {
  const UINT systemDpi = SystemDpi();
  RECT outer{0, 0, Scale(ClientWidth, systemDpi), Scale(ClientHeight, systemDpi)};
  AdjustWindowRectEx(&outer, PanelStyle, FALSE, PanelExStyle);
  OffsetRect(&outer, dialog.Frame.Left() - outer.left, dialog.Frame.Top() - outer.top);
  Create(TAVRIN_CLASS_CONFIG, Widen(dialog.Frame.Caption()), PanelStyle, PanelExStyle, outer, owner);
  const HWND hwnd = Handle();
  const UINT dpi = Dpi();
  ui::TConfigDlg& d = dialog;

  // Created in tab order (the z-order is the tab order); the group boxes sink to the bottom.
  edtTitle_.Create(hwnd, IDC_CFG_EDTTITLE, {53, 8, 217, 20}, d.EdtTitle, dpi);
  butEdit_.Create(hwnd, IDC_CFG_BUTEDIT, {44, 64, 75, 25}, d.ButEdit, dpi);
  butAppend_.Create(hwnd, IDC_CFG_BUTAPPEND, {124, 64, 75, 25}, d.ButAppend, dpi);
  butDel_.Create(hwnd, IDC_CFG_BUTDEL, {203, 64, 75, 25}, d.ButDel, dpi);
  butHelp_.Create(hwnd, IDC_CFG_BUTHELP, {283, 64, 75, 25}, d.ButHelp, dpi);
  groupBox1_.Create(hwnd, IDC_CFG_GROUPBOX1, GroupBox1Row, d.GroupBox1Caption, dpi);
  chkTop_.Create(hwnd, IDC_CFG_CHKTOP, In(GroupBox1Row, {16, 16, 113, 17}), d.ChkTop, dpi);
  chkStartList_.Create(hwnd, IDC_CFG_CHKSTARTLIST, In(GroupBox1Row, {16, 40, 161, 17}), d.ChkStartList, dpi);
  cmbStartList_.Create(hwnd, IDC_CFG_CMBSTARTLIST, In(GroupBox1Row, {186, 36, 113, 0}), d.CmbStartList, dpi);
  chkShow_.Create(hwnd, IDC_CFG_CHKSHOW, In(GroupBox1Row, {16, 64, 193, 17}), d.ChkShow, dpi);
  chkStatusBar_.Create(hwnd, IDC_CFG_CHKSTATUSBAR, In(GroupBox1Row, {16, 88, 161, 17}), d.ChkStatusBar, dpi);
  rdoAutoEdit_.Create(hwnd, IDC_CFG_RDOAUTOEDIT, IDC_CFG_RDOAUTOEDIT_ITEM0, In(GroupBox1Row, {8, 208, 385, 33}),
                      d.RdoAutoEdit, dpi);
  rdoTitle_.Create(hwnd, IDC_CFG_RDOTITLE, In(GroupBox1Row, {192, 88, 97, 17}), d.RdoTitle, dpi, true);
  rdoURL_.Create(hwnd, IDC_CFG_RDOURL, In(GroupBox1Row, {296, 88, 81, 17}), d.RdoURL, dpi);
  edtNtpServer_.Create(hwnd, IDC_CFG_EDTNTPSERVER, In(GroupBox1Row, {96, 112, 201, 20}), d.EdtNtpServer, dpi);
  butSetTime_.Create(hwnd, IDC_CFG_BUTSETTIME, In(GroupBox1Row, {303, 112, 75, 20}), d.ButSetTime, dpi);
  edtSound_.Create(hwnd, IDC_CFG_EDTSOUND, In(GroupBox1Row, {96, 136, 201, 20}), d.EdtSound, dpi);
  butSoundFile_.Create(hwnd, IDC_CFG_BUTSOUNDFILE, In(GroupBox1Row, {304, 136, 41, 20}), d.ButSoundFile, dpi);
  butTestPlay_.Create(hwnd, IDC_CFG_BUTTESTPLAY, In(GroupBox1Row, {352, 136, 41, 20}), d.ButTestPlay, dpi);
  groupBox2_.Create(hwnd, IDC_CFG_GROUPBOX2, GroupBox2Row, d.GroupBox2Caption, dpi);
  chkLastTop_.Create(hwnd, IDC_CFG_CHKLASTTOP, In(GroupBox2Row, {8, 13, 81, 17}), d.ChkLastTop, dpi);
  chkLastMess_.Create(hwnd, IDC_CFG_CHKLASTMESS, In(GroupBox2Row, {104, 13, 97, 17}), d.ChkLastMess, dpi);
  chkLastSound_.Create(hwnd, IDC_CFG_CHKLASTSOUND, In(GroupBox2Row, {216, 13, 73, 17}), d.ChkLastSound, dpi);
  chkLastExit_.Create(hwnd, IDC_CFG_CHKLASTEXIT, In(GroupBox2Row, {296, 13, 81, 17}), d.ChkLastExit, dpi);
  butReName_.Create(hwnd, IDC_CFG_BUTRENAME, {44, 96, 75, 25}, d.ButReName, dpi);
  butDelList_.Create(hwnd, IDC_CFG_BUTDELLIST, {124, 96, 75, 25}, d.ButDelList, dpi);
  butClose_.Create(hwnd, IDC_CFG_BUTCLOSE, {284, 96, 75, 25}, d.ButClose, dpi);
  edtURL_.Create(hwnd, IDC_CFG_EDTURL, {53, 32, 348, 20}, d.EdtURL, dpi);
  butGetFileName_.Create(hwnd, IDC_CFG_BUTGETFILENAME, {336, 8, 67, 21}, d.ButGetFileName, dpi);
  // Neither the labels nor the speed buttons take the focus.
  label1_.Create(hwnd, -1, {4, 12, 45, 12}, "タイトル：", dpi);
  label2_.Create(hwnd, -1, {4, 37, 28, 12}, "URL：", dpi);
  label3_.Create(hwnd, -1, In(GroupBox1Row, {16, 116, 77, 12}), "SNTPサーバー", dpi);
  label4_.Create(hwnd, -1, In(GroupBox1Row, {48, 140, 41, 12}), "サウンド", dpi);
  spbUP_.Create(hwnd, IDC_CFG_SPBUP, {4, 72, 25, 25}, d.SpbUP, dpi, &PaintUpArrow);
  spbDOWN_.Create(hwnd, IDC_CFG_SPBDOWN, {4, 96, 25, 25}, d.SpbDOWN, dpi, &PaintDownArrow);

  widgets_ = {&label1_,     &label2_,      &label3_,       &label4_,      &edtTitle_,     &edtURL_,
              &butGetFileName_, &butEdit_, &butAppend_,    &butDel_,      &butHelp_,      &spbUP_,
              &spbDOWN_,    &butReName_,   &butDelList_,   &butClose_,    &groupBox1_,    &groupBox2_,
              &chkTop_,     &chkStartList_, &cmbStartList_, &chkShow_,    &chkStatusBar_, &rdoTitle_,
              &rdoURL_,     &edtNtpServer_, &butSetTime_,  &edtSound_,    &butSoundFile_, &butTestPlay_,
              &chkLastTop_, &chkLastMess_, &chkLastSound_, &chkLastExit_, &rdoAutoEdit_};

  // Every control but a radio button inside its set starts a group of its own, so the arrow
  // keys move only between the radio buttons of one set.
  for (Widget* w : widgets_) {
    if (w != &rdoURL_ && w != &rdoAutoEdit_) AddStyle(w->Handle(), WS_GROUP);
  }
  // The speed buttons are clicked, never focused by Tab.
  SetTabStop(spbUP_.Handle(), false);
  SetTabStop(spbDOWN_.Handle(), false);
  // The start-list drop-down's items are 12 pixels high.
  SendMessageW(cmbStartList_.Handle(), CB_SETITEMHEIGHT, 0, Scale(12, dpi));
  for (Label* label : {&label1_, &label2_, &label3_, &label4_}) FitLabelToText(*label, dpi);

  // The frame model holds the outer size the client area needs.
  RECT now;
  GetWindowRect(hwnd, &now);
  dialog.Frame.UserMoved(now.left, now.top, Unscale(now.right - now.left, dpi), Unscale(now.bottom - now.top, dpi));
  BindFrame(dialog.Frame, true);
  UpdateRadioTabStops();
  dialog.FormCreate();
  ApplyFrame();
}

ConfigWindow::~ConfigWindow() = default;

void ConfigWindow::UpdateRadioTabStops() {
  // Tab reaches the checked button of a radio set (the first one when none is checked).
  const bool titleChecked = dialog_.RdoTitle.Checked(), urlChecked = dialog_.RdoURL.Checked();
  SetTabStop(rdoTitle_.Handle(), titleChecked || !urlChecked);
  SetTabStop(rdoURL_.Handle(), urlChecked);
  const int count = static_cast<int>(dialog_.RdoAutoEdit.Items.size());
  const int checked = dialog_.RdoAutoEdit.ItemIndex();
  for (int i = 0; i < count; ++i) SetTabStop(rdoAutoEdit_.Item(i), i == checked || (checked < 0 && i == 0));
}

bool ConfigWindow::PreTranslate(MSG& msg) {
  HWND hwnd = Handle();
  if (!hwnd || !IsWindowVisible(hwnd)) return false;
  if (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) UpdateRadioTabStops();
  return IsDialogMessageW(hwnd, &msg) != FALSE;
}

LRESULT ConfigWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:  // the caption's close box: the closing steps, then hidden
      dialog_.Close();
      return 0;
    case WM_NEXTDLGCTL:
      UpdateRadioTabStops();
      return NextDialogControl(Handle(), wParam, lParam);
    case WM_ACTIVATE:
      if (TrackDialogFocus(Handle(), wParam, lastFocus_)) return 0;
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

void ConfigWindow::OnDpiChanged(UINT dpi) {
  for (Widget* w : widgets_) w->ApplyDpi(dpi);
  SendMessageW(cmbStartList_.Handle(), CB_SETITEMHEIGHT, 0, Scale(12, dpi));
  for (Label* label : {&label1_, &label2_, &label3_, &label4_}) FitLabelToText(*label, dpi);
}

}  // namespace win
