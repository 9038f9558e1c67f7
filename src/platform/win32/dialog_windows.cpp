#include "platform/win32/dialog_windows.h"

#include <algorithm>

#include "platform/win32/control_ids.h"
#include "platform/win32/wide_text.h"

namespace win {
namespace {

// The platform's default form border: sizeable, with the system menu and a maximise box. No
// minimise box: a minimised modal dialog would leave its disabled owner with nothing to click.
constexpr DWORD SizeableStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPSIBLINGS;

RECT OuterRect(int width96, int height96, UINT dpi) {
  return RECT{0, 0, Scale(width96, dpi), Scale(height96, dpi)};
}

void FocusControl(HWND control) {
  if (!control) return;
  SetFocus(control);
  wchar_t cls[16] = {};
  GetClassNameW(control, cls, 16);
  if (lstrcmpiW(cls, L"Edit") == 0) SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace

LRESULT NextDialogControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
  HWND target = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
  if (target && IsChild(dialog, target)) FocusControl(target);
  return 0;
}

bool TrackDialogFocus(HWND dialog, WPARAM activateState, HWND& lastFocus) {
  HWND focus = GetFocus();
  if (LOWORD(activateState) == WA_INACTIVE) {
    if (focus && IsChild(dialog, focus)) lastFocus = focus;
    return false;
  }
  if (focus && IsChild(dialog, focus)) return true;
  if (lastFocus && IsChild(dialog, lastFocus) && IsWindowEnabled(lastFocus) && IsWindowVisible(lastFocus)) {
    SetFocus(lastFocus);
    return true;
  }
  FocusControl(GetNextDlgTabItem(dialog, nullptr, FALSE));
  return true;
}

void FitLabelToText(Label& label, UINT dpi) {
  HWND hwnd = label.Handle();
  if (!hwnd) return;
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), length, &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  const RECT row = ScaleBounds(label.Layout(), dpi);
  label.MoveTo(row.left, row.top, std::max<int>(row.right - row.left, size.cx),
               std::max<int>(row.bottom - row.top, size.cy));
}

// ---- ModalDialogWindow ----

bool ModalDialogWindow::PreTranslate(MSG& msg) {
  HWND hwnd = Handle();
  if (!hwnd || (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd))) return false;
  return IsDialogMessageW(hwnd, &msg) != FALSE;
}

LRESULT ModalDialogWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:  // the close box (and Alt+F4) is Cancel
      cancel_.Click();
      return 0;
    case DM_GETDEFID:  // Enter presses OK wherever the focus is
      return MAKELRESULT(IDC_DLG_OK, DC_HASDEFID);
    case WM_NEXTDLGCTL:
      return NextDialogControl(Handle(), wParam, lParam);
    case WM_ACTIVATE:
      if (TrackDialogFocus(Handle(), wParam, lastFocus_)) return 0;
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

// ---- AddListWindow ----

AddListWindow::AddListWindow(ui::TDlgAddList& dialog, HWND owner)
    : ModalDialogWindow(dialog.ButCancel), dialog_(dialog) {
  const UINT systemDpi = SystemDpi();
  Create(TAVRIN_CLASS_ADDLIST, Widen(dialog.Frame.Caption()), SizeableStyle, 0,
         OuterRect(dialog.Frame.Width(), dialog.Frame.Height(), systemDpi), owner);
  const HWND hwnd = Handle();
  const UINT dpi = Dpi();
  label3_.Create(hwnd, -1, {56, 16, 204, 12}, dialog.Label3Caption, dpi);
  label1_.Create(hwnd, -1, {8, 44, 39, 12}, dialog.Label1Caption, dpi);
  label2_.Create(hwnd, -1, {8, 76, 22, 12}, dialog.Label2Caption, dpi);
  // Tab order: the two edits, OK, Cancel.
  edtTitle_.Create(hwnd, IDC_DLG_EDTTITLE, {56, 40, 289, 20}, dialog.EdtTitle, dpi);
  edtURL_.Create(hwnd, IDC_DLG_EDTURL, {56, 72, 289, 20}, dialog.EdtURL, dpi);
  butOK_.Create(hwnd, IDC_DLG_OK, {192, 104, 75, 25}, dialog.ButOK, dpi, BS_DEFPUSHBUTTON);
  butCancel_.Create(hwnd, IDC_DLG_CANCEL, {272, 104, 75, 25}, dialog.ButCancel, dpi);
  for (Label* label : {&label3_, &label1_, &label2_}) FitLabelToText(*label, dpi);
  BindFrame(dialog.Frame, false);
  ApplyFrame();
}

AddListWindow::~AddListWindow() = default;

void AddListWindow::BeforeShow() { dialog_.FormShow(); }

void AddListWindow::OnDpiChanged(UINT dpi) {
  for (Widget* w : {static_cast<Widget*>(&label3_), static_cast<Widget*>(&label1_), static_cast<Widget*>(&label2_),
                    static_cast<Widget*>(&edtTitle_), static_cast<Widget*>(&edtURL_), static_cast<Widget*>(&butOK_),
                    static_cast<Widget*>(&butCancel_)}) {
    w->ApplyDpi(dpi);
  }
  for (Label* label : {&label3_, &label1_, &label2_}) FitLabelToText(*label, dpi);
}

// ---- ReNameWindow ----

ReNameWindow::ReNameWindow(ui::TDlgReName& dialog, HWND owner)
    : ModalDialogWindow(dialog.ButCancel), dialog_(dialog) {
  const UINT systemDpi = SystemDpi();
  Create(TAVRIN_CLASS_RENAME, Widen(dialog.Frame.Caption()), SizeableStyle, 0,
         OuterRect(dialog.Frame.Width(), dialog.Frame.Height(), systemDpi), owner);
  const HWND hwnd = Handle();
  const UINT dpi = Dpi();
  label1_.Create(hwnd, -1, {4, 8, 166, 12}, dialog.Label1Caption, dpi);
  edtReName_.Create(hwnd, IDC_DLG_EDTRENAME, {7, 32, 161, 20}, dialog.EdtReName, dpi);
  butOK_.Create(hwnd, IDC_DLG_OK, {8, 64, 75, 25}, dialog.ButOK, dpi, BS_DEFPUSHBUTTON);
  butCancel_.Create(hwnd, IDC_DLG_CANCEL, {88, 64, 75, 25}, dialog.ButCancel, dpi);
  FitLabelToText(label1_, dpi);
  BindFrame(dialog.Frame, false);
  ApplyFrame();
}

ReNameWindow::~ReNameWindow() = default;

void ReNameWindow::BeforeShow() { dialog_.FormCreate(); }

void ReNameWindow::OnDpiChanged(UINT dpi) {
  for (Widget* w : {static_cast<Widget*>(&label1_), static_cast<Widget*>(&edtReName_), static_cast<Widget*>(&butOK_),
                    static_cast<Widget*>(&butCancel_)}) {
    w->ApplyDpi(dpi);
  }
  FitLabelToText(label1_, dpi);
}

}  // namespace win
