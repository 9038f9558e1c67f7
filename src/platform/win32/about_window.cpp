#include "platform/win32/about_window.h"

#include <algorithm>

#include "platform/win32/about_bitmap.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/wide_text.h"

namespace win {
namespace {

constexpr int ClientWidth = 302, ClientHeight = 195;  // at 96 DPI
constexpr DWORD BoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
constexpr DWORD BoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

// The main window's icon resource (res/tavrin.rc); the box shows its 32 x 32 image.
constexpr int ProgramIconId = 1;

// A label's place on the picture, at 96 DPI.
struct Place {
  int left, top, width, height;  // width 0: sized to its text
};
constexpr Place Label1Place{87, 17, 154, 40};
constexpr Place Label2Place{173, 50, 92, 13};
constexpr Place Label3Place{50, 83, 0, 0};
constexpr POINT Image2At{17, 36};
constexpr Place Panel1Place{4, 124, 294, 67};
constexpr POINT Label4At{50, 12}, Label5At{56, 37};
constexpr POINT LblURLAt{111, 13}, LblMailAt{111, 38};

HFONT MakeFont(const wchar_t* face, int height96, UINT dpi, bool bold, bool italic = false, bool underline = false) {
  return CreateFontW(-Scale(height96, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

void DrawLabel(HDC dc, HFONT font, const std::string& caption, const Place& place, POINT origin, UINT dpi) {
  const std::wstring text = Widen(caption);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{origin.x + Scale(place.left, dpi), origin.y + Scale(place.top, dpi), 0, 0};
  UINT flags = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
  if (place.width > 0) {
    r.right = r.left + Scale(place.width, dpi);
    r.bottom = r.top + Scale(place.height, dpi);
  } else {
    flags |= DT_NOCLIP;  // sized to its text
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  SelectObject(dc, old);
}

// One-pixel bevel: light at the top and left, dark at the bottom and right.
void Bevel(HDC dc, RECT r, COLORREF light, COLORREF dark) {
  HPEN lightPen = CreatePen(PS_SOLID, 1, light), darkPen = CreatePen(PS_SOLID, 1, dark);
  HGDIOBJ old = SelectObject(dc, lightPen);
  MoveToEx(dc, r.left, r.bottom - 1, nullptr);
  LineTo(dc, r.left, r.top);
  LineTo(dc, r.right - 1, r.top);
  SelectObject(dc, darkPen);
  LineTo(dc, r.right - 1, r.bottom - 1);
  LineTo(dc, r.left - 1, r.bottom - 1);
  SelectObject(dc, old);
  DeleteObject(lightPen);
  DeleteObject(darkPen);
}

// Button-up then release inside the same control is a click, as a label or picture takes it.
bool ClickEnded(HWND hwnd, bool& pressed, LPARAM lParam) {
  const bool was = pressed;
  pressed = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  RECT r;
  GetClientRect(hwnd, &r);
  const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return was && PtInRect(&r, p);
}

void ClickStarted(HWND hwnd, bool& pressed) {
  pressed = true;
  SetCapture(hwnd);
}

}  // namespace

// ---- ClickableWindow ----

LRESULT ClickableWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ClickStarted(Handle(), pressed_);
      return 0;
    case WM_LBUTTONUP:
      if (ClickEnded(Handle(), pressed_, lParam) && OnClick) OnClick();
      return 0;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

// ---- AboutLink ----

void AboutLink::Create(AboutWindow& box, HWND panel, int id, const std::string& caption, POINT at96, UINT dpi) {
  box_ = &box;
  caption_ = Widen(caption);
  at96_ = at96;
  const SIZE size = TextSize();
  const int x = Scale(at96.x, dpi), y = Scale(at96.y, dpi);
  Window::Create(L"TavrinAboutLink", caption_, WS_CHILD | WS_VISIBLE, 0, RECT{x, y, x + size.cx, y + size.cy}, panel,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

SIZE AboutLink::TextSize() const {
  SIZE size{0, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, box_->LinkFont());
  GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

void AboutLink::Place(UINT dpi) {
  if (!Handle()) return;
  const SIZE size = TextSize();
  SetWindowPos(Handle(), nullptr, Scale(at96_.x, dpi), Scale(at96_.y, dpi), size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void AboutLink::SetColour(COLORREF colour) {
  if (colour == colour_) return;
  colour_ = colour;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT AboutLink::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      HGDIOBJ old = SelectObject(dc, box_->LinkFont());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, colour_);
      TextOutW(dc, 0, 0, caption_.c_str(), static_cast<int>(caption_.size()));
      SelectObject(dc, old);
      EndPaint(Handle(), &ps);
      return 0;
    }
  }
  return ClickableWindow::HandleMessage(msg, wParam, lParam);
}

// ---- AboutPanel ----

void AboutPanel::Create(AboutWindow& box, HWND parent, UINT dpi) {
  box_ = &box;
  const RECT r{Scale(Panel1Place.left, dpi), Scale(Panel1Place.top, dpi),
               Scale(Panel1Place.left + Panel1Place.width, dpi), Scale(Panel1Place.top + Panel1Place.height, dpi)};
  // The single-line border of a panel is the sunken client edge; the bevels are painted inside.
  Window::Create(L"TavrinAboutPanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, r, parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ABOUT_PANEL1)));
}

LRESULT AboutPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
      Bevel(dc, r, light, dark);  // raised outer bevel
      InflateRect(&r, -1, -1);
      Bevel(dc, r, dark, light);  // lowered inner bevel
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 0));
      const UINT dpi = DpiOf(Handle());
      const ui::TDlgAbout& dialog = box_->Dialog();
      DrawLabel(dc, box_->CaptionFont(), dialog.Label4Caption, {Label4At.x, Label4At.y, 0, 0}, {0, 0}, dpi);
      DrawLabel(dc, box_->CaptionFont(), dialog.Label5Caption, {Label5At.x, Label5At.y, 0, 0}, {0, 0}, dpi);
      EndPaint(Handle(), &ps);
      return 0;
    }
  }
  return ClickableWindow::HandleMessage(msg, wParam, lParam);
}

// ---- AboutWindow ----

AboutWindow::AboutWindow(ui::TDlgAbout& dialog, HWND owner) : dialog_(dialog) {
  const UINT systemDpi = SystemDpi();
  // The client area is set without the scroll bars; they then take their room from it.
  RECT outer{0, 0, Scale(ClientWidth, systemDpi), Scale(ClientHeight, systemDpi)};
  AdjustWindowRectEx(&outer, BoxStyle & ~(WS_HSCROLL | WS_VSCROLL), FALSE, BoxExStyle);
  OffsetRect(&outer, -outer.left, -outer.top);
  Create(TAVRIN_CLASS_ABOUT, Widen(dialog.Frame.Caption()), BoxStyle, BoxExStyle, outer, owner);
  const UINT dpi = Dpi();
  MakeFonts(dpi);
  icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON,
                                        Scale(32, dpi), Scale(32, dpi), LR_DEFAULTCOLOR));
  panel_.Create(*this, Handle(), dpi);
  panel_.OnMouseMove = [this] { dialog_.Label4MouseMove(); };
  panel_.OnClick = [this] { dialog_.Image1Click(); };

  // The frame model holds the outer size of the box as it was made.
  RECT now;
  GetWindowRect(Handle(), &now);
  dialog.Frame.UserMoved(now.left, now.top, Unscale(now.right - now.left, dpi), Unscale(now.bottom - now.top, dpi));
  BindFrame(dialog.Frame, false);
  dialog.ColorsChanged = [this] {
    lblURL_.SetColour(dialog_.LblURLColor);
    lblMail_.SetColour(dialog_.LblMailColor);
  };
  UpdateScrollBars();
}

AboutWindow::~AboutWindow() {
  dialog_.ColorsChanged = nullptr;
  Destroy();
  FreeFonts();
  if (icon_) DestroyIcon(icon_);
}

void AboutWindow::BeforeShow() {
  dialog_.FormCreate();
  const UINT dpi = Dpi();
  lblURL_.Create(*this, panel_.Handle(), IDC_ABOUT_LBLURL, dialog_.LblURLCaption, LblURLAt, dpi);
  lblMail_.Create(*this, panel_.Handle(), IDC_ABOUT_LBLMAIL, dialog_.LblMailCaption, LblMailAt, dpi);
  lblURL_.SetColour(dialog_.LblURLColor);
  lblMail_.SetColour(dialog_.LblMailColor);
  lblURL_.OnMouseMove = [this] { dialog_.LblURLMouseMove(); };
  lblMail_.OnMouseMove = [this] { dialog_.LblMailMouseMove(); };
  lblURL_.OnClick = [this] { dialog_.LblURLClick(); };
  lblMail_.OnClick = [this] { dialog_.LblMailClick(); };
}

void AboutWindow::MakeFonts(UINT dpi) {
  FreeFonts();
  titleFont_ = MakeFont(L"ＭＳ Ｐ明朝", 31, dpi, true, true);
  versionFont_ = MakeFont(L"ＭＳ Ｐ明朝", 13, dpi, true);
  noticeFont_ = MakeFont(L"@ＭＳ Ｐゴシック", 15, dpi, false);
  boldFont_ = MakeFont(L"ＭＳ Ｐゴシック", 13, dpi, true);
  linkFont_ = MakeFont(L"ＭＳ Ｐゴシック", 12, dpi, false, false, true);
}

void AboutWindow::FreeFonts() {
  for (HFONT* f : {&titleFont_, &versionFont_, &noticeFont_, &boldFont_, &linkFont_}) {
    if (*f) DeleteObject(*f);
    *f = nullptr;
  }
}

void AboutWindow::UpdateScrollBars() {
  HWND hwnd = Handle();
  const int content = Scale(AboutPictureWidth, Dpi());
  // Twice: showing one bar narrows the room left for the other.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    GetClientRect(hwnd, &client);
    scrollX_ = std::clamp(scrollX_, 0, std::max<int>(0, content - client.right));
    scrollY_ = std::clamp(scrollY_, 0, std::max<int>(0, content - client.bottom));
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1,
                  static_cast<UINT>(client.right), scrollX_, 0};
    SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
    si.nPage = static_cast<UINT>(client.bottom);
    si.nPos = scrollY_;
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
  }
  PlacePanel();
}

void AboutWindow::PlacePanel() {
  const UINT dpi = Dpi();
  SetWindowPos(panel_.Handle(), nullptr, Scale(Panel1Place.left, dpi) - scrollX_, Scale(Panel1Place.top, dpi) - scrollY_,
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::ScrollTo(int x, int y) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int content = Scale(AboutPictureWidth, Dpi());
  x = std::clamp(x, 0, std::max<int>(0, content - client.right));
  y = std::clamp(y, 0, std::max<int>(0, content - client.bottom));
  if (x == scrollX_ && y == scrollY_) return;
  scrollX_ = x;
  scrollY_ = y;
  SetScrollPos(Handle(), SB_HORZ, x, TRUE);
  SetScrollPos(Handle(), SB_VERT, y, TRUE);
  PlacePanel();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void AboutWindow::OnScroll(int bar, int code) {
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), bar, &si);
  const int line = Scale(8, Dpi());
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ) ScrollTo(pos, scrollY_);
  else ScrollTo(scrollX_, pos);
}

void AboutWindow::Paint(HDC target) {
  RECT client;
  GetClientRect(Handle(), &client);
  // Drawn off screen first, so scrolling does not flicker.
  HDC dc = CreateCompatibleDC(target);
  HBITMAP canvas = CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ oldCanvas = SelectObject(dc, canvas);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

  const UINT dpi = Dpi();
  const POINT origin{-scrollX_, -scrollY_};
  const auto& file = AboutPictureFile();
  const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + AboutPictureInfoOffset);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, origin.x, origin.y, Scale(AboutPictureWidth, dpi), Scale(AboutPictureHeight, dpi), 0, 0,
                AboutPictureWidth, AboutPictureHeight, file.data() + AboutPictureBitsOffset, info, DIB_RGB_COLORS,
                SRCCOPY);

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawLabel(dc, titleFont_, dialog_.Label1Caption, Label1Place, origin, dpi);
  DrawLabel(dc, versionFont_, dialog_.Label2Caption, Label2Place, origin, dpi);
  DrawLabel(dc, noticeFont_, dialog_.Label3Caption, Label3Place, origin, dpi);
  if (icon_) {
    DrawIconEx(dc, origin.x + Scale(Image2At.x, dpi), origin.y + Scale(Image2At.y, dpi), icon_, Scale(32, dpi),
               Scale(32, dpi), 0, nullptr, DI_NORMAL);
  }
  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldCanvas);
  DeleteObject(canvas);
  DeleteDC(dc);
}

LRESULT AboutWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_SIZE:
      UpdateScrollBars();
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      ScrollTo(scrollX_, scrollY_ - notches * Scale(24, Dpi()));
      return 0;
    }
    // The picture, the three labels and the icon: a click closes the box.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ClickStarted(Handle(), pressed_);
      return 0;
    case WM_LBUTTONUP:
      if (ClickEnded(Handle(), pressed_, lParam)) dialog_.Image1Click();
      return 0;
    case WM_CLOSE:  // the title bar's close button
      dialog_.Close();
      return 0;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

void AboutWindow::OnDpiChanged(UINT dpi) {
  MakeFonts(dpi);
  if (icon_) DestroyIcon(icon_);
  icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON,
                                        Scale(32, dpi), Scale(32, dpi), LR_DEFAULTCOLOR));
  SetWindowPos(panel_.Handle(), nullptr, 0, 0, Scale(Panel1Place.width, dpi), Scale(Panel1Place.height, dpi),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  lblURL_.Place(dpi);
  lblMail_.Place(dpi);
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace win
