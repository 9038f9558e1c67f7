#include "platform/win32/widgets.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/win32/wide_text.h"

namespace win {

namespace {

constexpr const wchar_t* WidgetProperty = L"Tavrin.Widget";
constexpr const wchar_t* TooltipProperty = L"Tavrin.Tooltip";
constexpr const wchar_t* PanelClass = L"TavrinPanel";
HWND mainWindow = nullptr;

template <class Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

bool HasStyle(HWND hwnd, DWORD style) {
  return (static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & style) == style;
}

void SetVisible(HWND hwnd, bool visible) {
  if (HasStyle(hwnd, WS_VISIBLE) != visible) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void SetEnabled(HWND hwnd, bool enabled) {
  if ((IsWindowEnabled(hwnd) != FALSE) != enabled) EnableWindow(hwnd, enabled);
}

// One tooltip control per top-level window, made on the first hint. It has no owner: under Wine a
// window that owns a popup which is not topmost cannot itself be made topmost, which would break
// the stay-on-top option. Its top-level window destroys it (see Window::Proc).
HWND TooltipOf(HWND control) {
  HWND root = GetAncestor(control, GA_ROOT);
  if (!root) return nullptr;
  HWND tip = static_cast<HWND>(GetPropW(root, TooltipProperty));
  if (tip && IsWindow(tip)) return tip;
  tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
  if (tip) SetPropW(root, TooltipProperty, tip);
  return tip;
}

void SetToolText(HWND control, const std::wstring& text, bool hadTip) {
  HWND tip = TooltipOf(control);
  if (!tip) return;
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetAncestor(control, GA_ROOT);
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  if (text.empty()) {
    if (hadTip) SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  } else if (hadTip) {
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace

// --- DPI, fonts, errors -------------------------------------------------------------------------

RECT ScaleBounds(const Bounds& b, UINT dpi) {
  const int left = Scale(b.left, dpi), top = Scale(b.top, dpi);
  return RECT{left, top, left + Scale(b.width, dpi), top + Scale(b.height, dpi)};
}

UINT SystemDpi() {
  using Fn = UINT(WINAPI*)();
  static const Fn forSystem = User32Function<Fn>("GetDpiForSystem");
  if (forSystem) return forSystem();
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT DpiOf(HWND hwnd) {
  if (!hwnd) return SystemDpi();
  using Fn = UINT(WINAPI*)(HWND);
  static const Fn forWindow = User32Function<Fn>("GetDpiForWindow");
  if (forWindow) {
    const UINT dpi = forWindow(hwnd);
    if (dpi > 0) return dpi;
  }
  return SystemDpi();
}

HFONT UiFont(UINT dpi, int pixels, bool bold) {
  static std::map<std::tuple<UINT, int, bool>, HFONT> fonts;
  HFONT& font = fonts[{dpi, pixels, bold}];
  if (!font) {
    font = CreateFontW(-Scale(pixels, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
  }
  return font;
}

void SetProgramWindow(HWND hwnd) { mainWindow = hwnd; }
HWND ProgramWindow() { return mainWindow; }
HWND DialogOwner() { return mainWindow && IsWindowVisible(mainWindow) ? mainWindow : nullptr; }

void ShowErrorBox(const std::string& cp932Message) {
  MessageBoxW(DialogOwner(), Widen(cp932Message + ".").c_str(), L"Tavrin", MB_OK | MB_ICONERROR);
}

// --- Window -------------------------------------------------------------------------------------

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);  // the object is going: defaults from now on
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  if (frame_) frame_->View = nullptr;
}

HWND Window::Create(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
                    const RECT& bounds, HWND owner, HMENU menu, HICON icon) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, className, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
  }
  CreateWindowExW(exStyle, className, caption.c_str(), style, bounds.left, bounds.top, bounds.right - bounds.left,
                  bounds.bottom - bounds.top, owner, menu, instance, this);
  return hwnd_;
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Window::BindFrame(ui::FormFrame& frame, bool followVisible) {
  frame_ = &frame;
  followVisible_ = followVisible;
  frame.View = [this] { ApplyFrame(); };
}

void Window::ApplyFrame() {
  if (!hwnd_ || !frame_) return;
  applyingFrame_ = true;
  const std::wstring caption = Widen(frame_->Caption());
  if (WindowText(hwnd_) != caption) SetWindowTextW(hwnd_, caption.c_str());
  UINT flags = SWP_NOACTIVATE;
  HWND after = nullptr;
  const bool topmost = (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (topmost != frame_->StayOnTop()) after = frame_->StayOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST;
  else flags |= SWP_NOZORDER;
  if (frame_->Width() <= 0 || frame_->Height() <= 0) flags |= SWP_NOSIZE | SWP_NOMOVE;
  const UINT dpi = Dpi();
  if (!IsIconic(hwnd_) || (flags & SWP_NOZORDER) == 0) {
    if (IsIconic(hwnd_)) flags |= SWP_NOSIZE | SWP_NOMOVE;
    SetWindowPos(hwnd_, after, frame_->Left(), frame_->Top(), Scale(frame_->Width(), dpi),
                 Scale(frame_->Height(), dpi), flags);
  }
  if (followVisible_ && frame_->Visible() != (IsWindowVisible(hwnd_) != FALSE)) {
    ShowWindow(hwnd_, frame_->Visible() ? SW_SHOW : SW_HIDE);
  }
  applyingFrame_ = false;
}

void Window::FrameMoved() {
  if (!frame_ || applyingFrame_ || IsIconic(hwnd_)) return;
  RECT r{};
  if (!GetWindowRect(hwnd_, &r)) return;
  const UINT dpi = Dpi();
  frame_->UserMoved(r.left, r.top, Unscale(r.right - r.left, dpi), Unscale(r.bottom - r.top, dpi));
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

  LRESULT result = 0;
  Guard([&] {
    if (Widget::Route(msg, wParam, lParam, result)) return;
    if (msg == WM_WINDOWPOSCHANGED) self->FrameMoved();
    if (msg == WM_DPICHANGED) {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      self->applyingFrame_ = true;
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      self->applyingFrame_ = false;
      self->OnDpiChanged(HIWORD(wParam));
      result = 0;
      return;
    }
    result = self->HandleMessage(msg, wParam, lParam);
  });
  if (msg == WM_NCDESTROY) {
    if (HWND tip = static_cast<HWND>(RemovePropW(hwnd, TooltipProperty))) DestroyWindow(tip);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

// --- Widget -------------------------------------------------------------------------------------

Widget::~Widget() {
  if (hwnd_ && IsWindow(hwnd_)) RemovePropW(hwnd_, WidgetProperty);
}

HWND Widget::CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                           DWORD exStyle, int id, const Bounds& layout, UINT dpi) {
  layout_ = layout;
  id_ = id;
  const RECT r = ScaleBounds(layout, dpi);
  hwnd_ = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (hwnd_) {
    Attach(hwnd_);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi, fontPixels_, fontBold_)), FALSE);
  }
  return hwnd_;
}

void Widget::Attach(HWND hwnd) { SetPropW(hwnd, WidgetProperty, this); }

Widget* Widget::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Widget*>(GetPropW(hwnd, WidgetProperty)) : nullptr;
}

void Widget::Place(UINT dpi) {
  if (!hwnd_) return;
  const RECT r = ScaleBounds(layout_, dpi);
  MoveTo(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void Widget::MoveTo(int x, int y, int width, int height) {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Widget::ApplyDpi(UINT dpi) {
  if (!hwnd_) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi, fontPixels_, fontBold_)), TRUE);
  Place(dpi);
}

bool Widget::Route(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: {
      HWND source = reinterpret_cast<HWND>(lParam);
      Widget* w = FromHandle(source);
      if (!w || !w->OnCommand(source, HIWORD(wParam))) return false;
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      Widget* w = header ? FromHandle(header->hwndFrom) : nullptr;
      result = 0;
      return w && w->OnNotify(header, result);
    }
    case WM_DRAWITEM: {
      DRAWITEMSTRUCT* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (!item || item->CtlType == ODT_MENU) return false;
      Widget* w = FromHandle(item->hwndItem);
      if (!w || !w->OnDrawItem(item)) return false;
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      Widget* w = FromHandle(reinterpret_cast<HWND>(lParam));
      return w && w->OnCtlColor(reinterpret_cast<HDC>(wParam), result);
    }
    default:
      return false;
  }
}

void Widget::SyncCommon(const ui::Control& model) {
  if (!hwnd_) return;
  SetEnabled(hwnd_, model.Enabled());
  SetVisible(hwnd_, model.Visible());
  SetTip(model.Hint());
}

void Widget::SetTip(const std::string& hint) {
  if (!hwnd_ || hint == tip_) return;
  const bool hadTip = !tip_.empty();
  tip_ = hint;
  SetToolText(hwnd_, Widen(hint), hadTip);
  // A combo box with an edit field: the pointer rests on the edit child most of the time.
  HWND child = GetWindow(hwnd_, GW_CHILD);
  wchar_t cls[32] = {};
  GetClassNameW(hwnd_, cls, 32);
  if (child && lstrcmpiW(cls, WC_COMBOBOXW) == 0) SetToolText(child, Widen(hint), hadTip);
}

void Widget::SetTextIfDifferent(const std::wstring& text) {
  if (hwnd_ && WindowText(hwnd_) != text) SetWindowTextW(hwnd_, text.c_str());
}

// --- Button -------------------------------------------------------------------------------------

Button::~Button() {
  if (model_) model_->View = nullptr;
}

void Button::Create(HWND parent, int id, const Bounds& layout, ui::Button& model, UINT dpi, DWORD style) {
  model_ = &model;
  CreateControl(parent, WC_BUTTONW, Widen(model.Caption()), WS_TABSTOP | (style ? style : BS_PUSHBUTTON), 0, id,
                layout, dpi);
  model.View = [this] { Sync(); };
  Sync();
}

void Button::Sync() {
  if (!hwnd_ || !model_) return;
  Updating guard(*this);
  SetTextIfDifferent(Widen(model_->Caption()));
  SyncCommon(*model_);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

bool Button::OnCommand(HWND, int code) {
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return false;
  if (!updating_ && model_) model_->Click();
  return true;
}

// --- SpeedButton ----------------------------------------------------------------------------------

SpeedButton::~SpeedButton() {
  if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &SpeedButton::SubclassProc, 1);
  FreePictures();
}

LRESULT CALLBACK SpeedButton::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
  SpeedButton* self = reinterpret_cast<SpeedButton*>(data);
  auto inside = [hwnd, lParam] {
    RECT r{};
    GetClientRect(hwnd, &r);
    const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&r, pt) != FALSE;
  };
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // each press of a double click is a click
      self->tracking_ = true;
      SetCapture(hwnd);
      SendMessageW(hwnd, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (self->tracking_) {
        const bool pressed = (SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        if (pressed != inside()) SendMessageW(hwnd, BM_SETSTATE, inside(), 0);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (self->tracking_) {
        const bool click = inside();
        self->tracking_ = false;
        ReleaseCapture();
        SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
        if (click) {
          SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                       reinterpret_cast<LPARAM>(hwnd));
        }
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (self->tracking_) {
        self->tracking_ = false;
        SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void SpeedButton::Create(HWND parent, int id, const Bounds& layout, ui::Button& model, UINT dpi,
                         PictureFn picture) {
  picture_ = picture;
  model_ = &model;
  CreateControl(parent, WC_BUTTONW, Widen(model.Caption()), BS_OWNERDRAW, 0, id, layout, dpi);
  if (hwnd_) SetWindowSubclass(hwnd_, &SpeedButton::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  MakePictures(dpi);
  model.View = [this] { Sync(); };
  Sync();
}

void SpeedButton::ApplyDpi(UINT dpi) {
  Button::ApplyDpi(dpi);
  MakePictures(dpi);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void SpeedButton::FreePictures() {
  if (normal_) ImageList_Destroy(normal_);
  if (greyed_) ImageList_Destroy(greyed_);
  normal_ = greyed_ = nullptr;
}

void SpeedButton::MakePictures(UINT dpi) {
  FreePictures();
  if (!picture_) return;
  constexpr int n = 16;
  // Paint the picture at 16x16 into 32-bit pixels.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = n;
  bi.bmiHeader.biHeight = -n;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!canvas) {
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return;
  }
  HGDIOBJ old = SelectObject(dc, canvas);
  RECT all{0, 0, n, n};
  HBRUSH mask = CreateSolidBrush(PictureMask);
  FillRect(dc, &all, mask);
  DeleteObject(mask);
  picture_(dc);
  GdiFlush();
  SelectObject(dc, old);

  const DWORD maskPixel = (GetRValue(PictureMask) << 16) | (GetGValue(PictureMask) << 8) | GetBValue(PictureMask);
  const DWORD* src = static_cast<const DWORD*>(bits);
  std::vector<DWORD> normal(src, src + n * n);
  for (DWORD& p : normal) p &= 0x00FFFFFF;
  // The greyed picture: dark pixels become an engraved shadow with a highlight below right.
  std::vector<DWORD> greyed(n * n, maskPixel);
  const DWORD shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  auto toPixel = [](COLORREF c) { return static_cast<DWORD>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)); };
  auto dark = [&](int x, int y) {
    const DWORD p = normal[y * n + x];
    if (p == maskPixel) return false;
    const int lum = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
    return lum < 200;
  };
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x)
      if (dark(x, y) && x + 1 < n && y + 1 < n) greyed[(y + 1) * n + x + 1] = toPixel(light);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x)
      if (dark(x, y)) greyed[y * n + x] = toPixel(shadow);

  pictureSize_ = Scale(n, dpi);
  const int size = pictureSize_;
  auto makeList = [&](const std::vector<DWORD>& pixels) -> HIMAGELIST {
    BITMAPINFO sbi = bi;
    sbi.bmiHeader.biWidth = size;
    sbi.bmiHeader.biHeight = -size;
    void* sbits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &sbi, DIB_RGB_COLORS, &sbits, nullptr, 0);
    if (!bmp) return nullptr;
    DWORD* dst = static_cast<DWORD*>(sbits);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) dst[y * size + x] = pixels[(y * n / size) * n + (x * n / size)];
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (list) ImageList_AddMasked(list, bmp, PictureMask);
    DeleteObject(bmp);
    return list;
  };
  normal_ = makeList(normal);
  greyed_ = makeList(greyed);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

bool SpeedButton::OnDrawItem(DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  const int shift = pressed ? 1 : 0;
  HIMAGELIST picture = disabled ? greyed_ : normal_;
  if (picture) {
    const int x = r.left + (r.right - r.left - pictureSize_) / 2 + shift;
    const int y = r.top + (r.bottom - r.top - pictureSize_) / 2 + shift;
    ImageList_Draw(picture, 0, dc, x, y, ILD_TRANSPARENT);
  } else {
    const std::wstring caption = model_ ? Widen(model_->Caption()) : std::wstring();
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    OffsetRect(&r, shift, shift);
    if (disabled) {
      OffsetRect(&r, 1, 1);
      ::SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      OffsetRect(&r, -1, -1);
      ::SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
      ::SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
  }
  return true;
}

// --- Edit ---------------------------------------------------------------------------------------

Edit::~Edit() {
  if (model_) model_->View = nullptr;
}

void Edit::Create(HWND parent, int id, const Bounds& layout, ui::Edit& model, UINT dpi, DWORD style) {
  model_ = &model;
  CreateControl(parent, WC_EDITW, Widen(model.Text()), WS_TABSTOP | ES_AUTOHSCROLL | style, WS_EX_CLIENTEDGE, id,
                layout, dpi);
  model.View = [this] { Sync(); };
  Sync();
}

void Edit::Sync() {
  if (!hwnd_ || !model_) return;
  Updating guard(*this);
  const std::wstring text = Widen(model_->Text());
  if (WindowText(hwnd_) != text) {
    SetWindowTextW(hwnd_, text.c_str());
    const int end = static_cast<int>(text.size());
    SendMessageW(hwnd_, EM_SETSEL, end, end);
  }
  SyncCommon(*model_);
}

bool Edit::OnCommand(HWND, int code) {
  if (code != EN_CHANGE) return false;
  if (!updating_ && model_) model_->UserSetText(Narrow(WindowText(hwnd_)));
  return true;
}

// --- CheckBox -----------------------------------------------------------------------------------

namespace {

// Check boxes and radio buttons show their model's state; an unchanged state is not set again.
void SetCheckState(HWND button, bool checked) {
  const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageW(button, BM_GETCHECK, 0, 0)) != state) SendMessageW(button, BM_SETCHECK, state, 0);
}

}  // namespace

CheckBox::~CheckBox() {
  if (model_) model_->View = nullptr;
}

void CheckBox::Create(HWND parent, int id, const Bounds& layout, ui::CheckBox& model, UINT dpi) {
  model_ = &model;
  CreateControl(parent, WC_BUTTONW, Widen(model.Caption()), WS_TABSTOP | BS_CHECKBOX, 0, id, layout, dpi);
  model.View = [this] { Sync(); };
  Sync();
}

void CheckBox::Sync() {
  if (!hwnd_ || !model_) return;
  Updating guard(*this);
  SetTextIfDifferent(Widen(model_->Caption()));
  SetCheckState(hwnd_, model_->Checked());
  SyncCommon(*model_);
}

bool CheckBox::OnCommand(HWND, int code) {
  if (code != BN_CLICKED) return false;
  if (!updating_ && model_) model_->UserClick();
  return true;
}

// --- RadioButton --------------------------------------------------------------------------------

RadioButton::~RadioButton() {
  if (model_) model_->View = nullptr;
}

void RadioButton::Create(HWND parent, int id, const Bounds& layout, ui::RadioButton& model, UINT dpi,
                         bool firstOfGroup) {
  model_ = &model;
  CreateControl(parent, WC_BUTTONW, Widen(model.Caption()), WS_TABSTOP | BS_RADIOBUTTON | (firstOfGroup ? WS_GROUP : 0),
                0, id, layout, dpi);
  model.View = [this] { Sync(); };
  Sync();
}

void RadioButton::Sync() {
  if (!hwnd_ || !model_) return;
  Updating guard(*this);
  SetTextIfDifferent(Widen(model_->Caption()));
  SetCheckState(hwnd_, model_->Checked());
  SyncCommon(*model_);
}

bool RadioButton::OnCommand(HWND, int code) {
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return false;
  if (!updating_ && model_) model_->UserClick();
  return true;
}

// --- RadioGroup ---------------------------------------------------------------------------------

RadioGroup::~RadioGroup() {
  if (model_) model_->View = nullptr;
  for (HWND item : items_)
    if (IsWindow(item)) RemovePropW(item, WidgetProperty);
}

void RadioGroup::Create(HWND parent, int id, int itemFirstId, const Bounds& layout, ui::RadioGroup& model,
                        UINT dpi) {
  model_ = &model;
  CreateControl(parent, WC_BUTTONW, Widen(model.Caption), BS_GROUPBOX, 0, id, layout, dpi);
  for (std::size_t i = 0; i < model.Items.size(); ++i) {
    HWND item = CreateWindowExW(0, WC_BUTTONW, Widen(model.Items[i]).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0, 0,
                                10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(itemFirstId + static_cast<int>(i))),
                                GetModuleHandleW(nullptr), nullptr);
    if (!item) continue;
    Attach(item);
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
    items_.push_back(item);
  }
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PlaceItems(dpi);
  model.View = [this] { Sync(); };
  Sync();
}

void RadioGroup::PlaceItems(UINT dpi) {
  if (items_.empty()) return;
  const int columns = std::max(1, model_->Columns);
  const int rows = (static_cast<int>(items_.size()) + columns - 1) / columns;
  const int captionTop = 16, margin = 8;
  const int width = (layout_.width - 2 * margin) / columns;
  const int height = std::max(1, (layout_.height - captionTop - 4) / rows);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const int column = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
    const Bounds b{layout_.left + margin + column * width, layout_.top + captionTop + row * height, width,
                   std::min(height, 20)};
    const RECT r = ScaleBounds(b, dpi);
    SetWindowPos(items_[i], nullptr, r.left, r.top + (Scale(height, dpi) - (r.bottom - r.top)) / 2, r.right - r.left,
                 r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void RadioGroup::ApplyDpi(UINT dpi) {
  Widget::ApplyDpi(dpi);
  for (HWND item : items_) SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), TRUE);
  PlaceItems(dpi);
}

void RadioGroup::Sync() {
  if (!hwnd_ || !model_) return;
  Updating guard(*this);
  SyncCommon(*model_);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const WPARAM state = static_cast<int>(i) == model_->ItemIndex() ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(items_[i], BM_GETCHECK, 0, 0)) != state)
      SendMessageW(items_[i], BM_SETCHECK, state, 0);
    SetEnabled(items_[i], model_->Enabled());
    SetVisible(items_[i], model_->Visible());
  }
}

bool RadioGroup::OnCommand(HWND source, int code) {
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return false;
  auto it = std::find(items_.begin(), items_.end(), source);
  if (it == items_.end()) return false;
  if (!updating_ && model_ && model_->Enabled()) model_->SetItemIndex(static_cast<int>(it - items_.begin()));
  return true;
}

// --- ComboBox -----------------------------------------------------------------------------------

ComboBox::~ComboBox() {
  if (model_) model_->View = nullptr;
}

void ComboBox::Create(HWND parent, int id, const Bounds& layout, ui::ComboBox& model, UINT dpi) {
  model_ = &model;
  Bounds b = layout;
  if (b.height <= 0) b.height = 200;
  const DWORD kind = model.HasEditField ? (CBS_DROPDOWN | CBS_AUTOHSCROLL) : CBS_DROPDOWNLIST;
  CreateControl(parent, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | kind, 0, id, b, dpi);
  model.View = [this] { Sync(); };
  Sync();
}

void ComboBox::ApplyDpi(UINT dpi) { Widget::ApplyDpi(dpi); }

void ComboBox::SyncItems() {
  const std::vector<std::string>& items = model_->Items();
  if (items == shown_) return;
  // Only the changed middle part is replaced, at the model's positions.
  const std::size_t common = std::min(items.size(), shown_.size());
  std::size_t prefix = 0;
  while (prefix < common && items[prefix] == shown_[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < common - prefix && items[items.size() - 1 - suffix] == shown_[shown_.size() - 1 - suffix]) ++suffix;
  for (std::size_t i = shown_.size() - suffix; i-- > prefix;) SendMessageW(hwnd_, CB_DELETESTRING, i, 0);
  for (std::size_t i = prefix; i < items.size() - suffix; ++i) {
    const std::wstring item = Widen(items[i]);
    SendMessageW(hwnd_, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(item.c_str()));
  }
  shown_ = items;
}

void ComboBox::Sync() {
  if (!hwnd_ || !model_) return;
  Updating guard(*this);
  SyncItems();
  const int index = model_->ItemIndex();
  if (static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)) != index) SendMessageW(hwnd_, CB_SETCURSEL, index, 0);
  if (model_->HasEditField) {
    const std::wstring text = Widen(model_->Text());
    if (WindowText(hwnd_) != text) {
      SetWindowTextW(hwnd_, text.c_str());
      const int end = static_cast<int>(text.size());
      SendMessageW(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
    }
  }
  SyncCommon(*model_);
}

bool ComboBox::OnCommand(HWND, int code) {
  if (code == CBN_SELCHANGE) {
    if (!updating_ && model_) model_->UserPick(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    return true;
  }
  if (code == CBN_EDITCHANGE) {
    if (!updating_ && model_) model_->UserType(Narrow(WindowText(hwnd_)));
    return true;
  }
  return false;
}

// --- GroupBox -----------------------------------------------------------------------------------

void GroupBox::Create(HWND parent, int id, const Bounds& layout, const std::string& caption, UINT dpi) {
  CreateControl(parent, WC_BUTTONW, Widen(caption), BS_GROUPBOX, 0, id, layout, dpi);
  if (hwnd_) SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void GroupBox::SetCaption(const std::string& caption) { SetTextIfDifferent(Widen(caption)); }

// --- Label --------------------------------------------------------------------------------------

Label::~Label() {
  if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &Label::SubclassProc, 1);
}

void Label::Create(HWND parent, int id, const Bounds& layout, const std::string& caption, UINT dpi, DWORD style) {
  CreateControl(parent, WC_STATICW, Widen(caption), SS_NOTIFY | style, 0, id, layout, dpi);
  if (hwnd_) SetWindowSubclass(hwnd_, &Label::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Label::SetCaption(const std::string& caption) { SetTextIfDifferent(Widen(caption)); }

void Label::SetTextColor(COLORREF colour) {
  if (colour == colour_) return;
  colour_ = colour;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Label::SetFont(int pixels, bool bold) {
  fontPixels_ = pixels;
  fontBold_ = bold;
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(DpiOf(hwnd_), pixels, bold)), TRUE);
}

bool Label::OnCommand(HWND, int code) {
  if (code != STN_CLICKED && code != STN_DBLCLK) return false;
  if (OnClick) OnClick();
  return true;
}

bool Label::OnCtlColor(HDC dc, LRESULT& result) {
  if (colour_ != CLR_INVALID) ::SetTextColor(dc, colour_);
  SetBkMode(dc, TRANSPARENT);
  result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

LRESULT CALLBACK Label::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_MOUSEMOVE) {
    Label* self = reinterpret_cast<Label*>(data);
    if (self && self->OnMouseMove) Guard([&] { self->OnMouseMove(); });
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// --- StatusBar ----------------------------------------------------------------------------------

StatusBar::~StatusBar() {
  if (model_) model_->View = nullptr;
}

void StatusBar::Create(HWND parent, int id, const Bounds& layout, ui::StatusBarModel& model, UINT dpi) {
  model_ = &model;
  fontPixels_ = 11;
  CreateControl(parent, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0,
                id, layout, dpi);
  if (hwnd_) {
    int parts[1] = {-1};
    SendMessageW(hwnd_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
  }
  model.View = [this] { Sync(); };
  Sync();
}

void StatusBar::Sync() {
  if (!hwnd_ || !model_) return;
  Updating guard(*this);
  const std::wstring text = Widen(model_->Text());
  const int length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, 0, 0));
  std::wstring shown(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(hwnd_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown.data()));
  shown.resize(static_cast<std::size_t>(length));
  if (shown != text) SendMessageW(hwnd_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
  const bool wasVisible = HasStyle(hwnd_, WS_VISIBLE);
  SyncCommon(*model_);
  if (wasVisible != model_->Visible() && OnVisibilityChanged) OnVisibilityChanged();
}

// --- ListView -----------------------------------------------------------------------------------

namespace {
UINT CheckSelectionMessage() {
  static const UINT message = RegisterWindowMessageW(L"Tavrin.ListView.CheckSelection");
  return message;
}
}  // namespace

ListView::~ListView() {
  if (model_) {
    model_->ViewReset = nullptr;
    model_->ViewItemChanged = nullptr;
  }
  if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &ListView::SubclassProc, 1);
}

void ListView::Create(HWND parent, int id, const Bounds& layout, lists::EntryList& model, UINT dpi, DWORD style) {
  model_ = &model;
  CreateControl(parent, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | style, WS_EX_CLIENTEDGE, id,
                layout, dpi);
  if (!hwnd_) return;
  SetWindowSubclass(hwnd_, &ListView::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  model.ViewReset = [this] { Reset(); };
  model.ViewItemChanged = [this](int index) { ItemChanged(index); };
  Reset();
}

void ListView::AddColumn(const std::string& caption, int width96) {
  if (!hwnd_) return;
  const std::wstring text = Widen(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.cx = Scale(width96, DpiOf(hwnd_));
  column.pszText = const_cast<wchar_t*>(text.c_str());
  column.iSubItem = static_cast<int>(columnWidths_.size());
  SendMessageW(hwnd_, LVM_INSERTCOLUMNW, columnWidths_.size(), reinterpret_cast<LPARAM>(&column));
  columnWidths_.push_back(width96);
}

void ListView::ApplyDpi(UINT dpi) {
  Widget::ApplyDpi(dpi);
  for (std::size_t i = 0; i < columnWidths_.size(); ++i)
    SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, i, Scale(columnWidths_[i], dpi));
}

void ListView::BeginTitleEdit(int index) {
  if (!hwnd_) return;
  SetFocus(hwnd_);
  SendMessageW(hwnd_, LVM_EDITLABELW, index, 0);
}

void ListView::Reset() {
  if (!hwnd_) return;
  Updating guard(*this);
  SendMessageW(hwnd_, LVM_SETITEMCOUNT, model_->Count(), LVSICF_NOSCROLL);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  PushSelection();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::PushSelection() {
  const int selected = model_->Selected();
  if (!model_->Valid(selected)) return;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&state));
  SendMessageW(hwnd_, LVM_ENSUREVISIBLE, selected, FALSE);
}

void ListView::ItemChanged(int index) {
  if (!hwnd_ || !model_->Valid(index)) return;
  Updating guard(*this);
  if (model_->IsSelected(index)) {
    PushSelection();
  } else {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
  }
  SendMessageW(hwnd_, LVM_REDRAWITEMS, index, index);
}

// The control's selection after the user's action settled, compared with the model's.
void ListView::CheckSelection() {
  if (!hwnd_ || updating_) return;
  const int selected = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected != model_->Selected()) model_->Select(model_->Valid(selected) ? selected : -1);
}

bool ListView::OnNotify(NMHDR* header, LRESULT& result) {
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        const int index = info->item.iItem;
        text_ = model_->Valid(index) ? Widen(info->item.iSubItem == 0 ? model_->Title(index) : model_->Url(index))
                                     : std::wstring();
        lstrcpynW(info->item.pszText, text_.c_str(), info->item.cchTextMax);
      }
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (updating_ || !(change->uChanged & LVIF_STATE)) return true;
      if (((change->uNewState ^ change->uOldState) & LVIS_SELECTED) == 0) return true;
      if ((change->uNewState & LVIS_SELECTED) && model_->Valid(change->iItem)) {
        if (model_->Selected() != change->iItem) model_->Select(change->iItem);
      } else {
        // A deselection is usually the first half of selecting another entry: decide later.
        PostMessageW(hwnd_, CheckSelectionMessage(), 0, 0);
      }
      return true;
    }
    case LVN_ODSTATECHANGED:
      if (!updating_) PostMessageW(hwnd_, CheckSelectionMessage(), 0, 0);
      return true;
    case LVN_BEGINLABELEDITW:
      result = FALSE;  // allow
      return true;
    case LVN_ENDLABELEDITW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      result = FALSE;  // the model holds the text; the view asks it again
      if (info->item.pszText && OnTitleEdited) OnTitleEdited(info->item.iItem, Narrow(info->item.pszText));
      if (model_->Valid(info->item.iItem)) SendMessageW(hwnd_, LVM_REDRAWITEMS, info->item.iItem, info->item.iItem);
      return true;
    }
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick();
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK ListView::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  ListView* self = reinterpret_cast<ListView*>(data);
  if (self) {
    if (msg == CheckSelectionMessage()) {
      Guard([&] { self->CheckSelection(); });
      return 0;
    }
    if (msg == WM_KEYDOWN && self->OnKeyDown) {
      bool handled = false;
      Guard([&] { handled = self->OnKeyDown(static_cast<UINT>(wParam)); });
      if (handled) return 0;
    }
    if (msg == WM_CONTEXTMENU && self->OnContextMenu) {
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (lParam == -1) {  // the menu key: at the selected row, or the control's corner
        RECT r{};
        const int selected = self->model_->Selected();
        r.left = LVIR_LABEL;
        if (selected < 0 || !SendMessageW(hwnd, LVM_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&r)))
          r = RECT{0, 0, 0, 0};
        pt = POINT{r.left, r.bottom};
        ClientToScreen(hwnd, &pt);
      }
      Guard([&] { self->OnContextMenu(pt); });
      return 0;
    }
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// --- Panel --------------------------------------------------------------------------------------

void Panel::Create(HWND parent, int id, const Bounds& layout, UINT dpi, bool bevel) {
  bevel_ = bevel;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, PanelClass, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &Panel::Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = PanelClass;
    RegisterClassExW(&wc);
  }
  CreateControl(parent, PanelClass, L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, id, layout, dpi);
}

LRESULT CALLBACK Panel::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  bool handled = false;
  Guard([&] { handled = Widget::Route(msg, wParam, lParam, result); });
  if (handled) return result;
  if (msg == WM_PAINT) {
    auto* self = static_cast<Panel*>(FromHandle(hwnd));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (self && self->bevel_) {
      RECT r{};
      GetClientRect(hwnd, &r);
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace win
