#pragma once
// Thin Win32 wrappers, one per control kind, each bound to its control model of ui/controls.h.
//
// How a form uses them
// --------------------
//  * A form window derives from win::Window, creates its HWND with Window::Create and creates its
//    child controls from its layout table in the WM_CREATE handler (or right after Create):
//        ButOK.Create(Handle(), IDC_DLG_OK, {96, 120, 75, 25}, dialog.ButOK, Dpi(), BS_DEFPUSHBUTTON);
//    Layout rows (win::Bounds) are pixels at 96 DPI; every widget scales its row by the DPI given.
//  * Binding: Create() takes the model and sets the model's View callback; from then on a change
//    of the model (caption, text, enabled, visible, hint, checked, items ...) is pushed to the HWND,
//    and user input comes back as model calls:
//        Button/SpeedButton  BN_CLICKED     -> ui::Button::Click()
//        Edit                EN_CHANGE      -> ui::Edit::UserSetText(text)
//        CheckBox            BN_CLICKED     -> ui::CheckBox::UserClick()
//        RadioButton         BN_CLICKED     -> ui::RadioButton::UserClick()
//        RadioGroup          item clicked   -> ui::RadioGroup::SetItemIndex(i) (while enabled)
//        ComboBox            CBN_SELCHANGE  -> ui::ComboBox::UserPick(i); CBN_EDITCHANGE -> UserType
//        StatusBar           (display only; ui::StatusBarModel)
//        ListView            selection      -> lists::EntryList::Select(i) / Select(-1)
//    The notification a programmatic change causes (the echo) is never reported back.
//  * Routing: win::Window's procedure (and win::Panel's) hands WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and
//    WM_CTLCOLOR* of a control to the widget bound to that control before the form's own
//    HandleMessage sees the message. A form needs no code for its controls' notifications.
//  * Errors: everything dispatched through win::Window / win::Panel runs inside win::Guard: a
//    core::Error or std::exception ends that handler and is shown in the error box (message + ".",
//    caption "Tavrin", error icon); the message loop goes on. Call win::Guard yourself around code
//    that runs outside a window procedure (e.g. start-up steps).
//  * DPI: on WM_DPICHANGED win::Window moves itself to the suggested rectangle and calls the
//    virtual OnDpiChanged(dpi); a form then calls ApplyDpi(dpi) on each widget (font + place).
//  * Fonts: every widget uses win::UiFont(dpi): "ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 12 px at 96 DPI.
//  * Widgets must outlive nothing: a widget clears its model's View when destroyed; destroy the
//    widgets before the models (declare the models first / keep the form logic alive longer).
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "lists/entry_list.h"
#include "platform/win32/win_api.h"
#include "ui/controls.h"

namespace win {

// --- DPI, fonts, errors -------------------------------------------------------------------------

// A layout row: position and size in pixels at 96 DPI.
struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
};

inline int Scale(int px, UINT dpi) { return MulDiv(px, static_cast<int>(dpi), 96); }
inline int Unscale(int px, UINT dpi) { return MulDiv(px, 96, static_cast<int>(dpi)); }
RECT ScaleBounds(const Bounds& b, UINT dpi);
// The window's DPI (GetDpiForWindow where available, else the screen's); 96 for no window.
UINT DpiOf(HWND hwnd);
UINT SystemDpi();

// The program's font: "ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, `pixels` high at 96 DPI, scaled. Cached;
// the handles live until the process ends.
HFONT UiFont(UINT dpi, int pixels = 12, bool bold = false);

// The window message boxes and the error box are owned by: the main window unless it is hidden
// (then no owner). Set once by the program when the main window exists.
void SetProgramWindow(HWND hwnd);
HWND ProgramWindow();
HWND DialogOwner();
// The application's error box: message + ".", caption "Tavrin", MB_ICONERROR.
void ShowErrorBox(const std::string& cp932Message);

// Runs f; an escaping core::Error / std::exception is shown in the error box. True when f ended
// normally.
template <class F>
bool Guard(F&& f) noexcept {
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  } catch (...) {
    ShowErrorBox("予期しないエラーが発生しました");
  }
  return false;
}

// --- window base class ----------------------------------------------------------------------------

// A window object: `this` lives in GWLP_USERDATA from WM_NCCREATE; one static procedure forwards
// to the virtual HandleMessage inside win::Guard (an exception there returns 0).
class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  UINT Dpi() const { return DpiOf(hwnd_); }

  // Registers the class on first use (CS_DBLCLKS, arrow cursor, COLOR_BTNFACE background, icon
  // may be null) and creates the window. `bounds` is in device pixels.
  HWND Create(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
              const RECT& bounds, HWND owner, HMENU menu = nullptr, HICON icon = nullptr);
  void Destroy();

  // Binds the window's caption, position, size and stay-on-top style to a frame model:
  // Frame changes -> SetWindowPos / SetWindowTextW (HWND_TOPMOST or HWND_NOTOPMOST from
  // StayOnTop()); moves and sizes by the user -> frame.UserMoved(). Left/top are screen pixels
  // of the outer frame; width/height are pixels at 96 DPI (scaled by the window's DPI).
  // followVisible: the frame's Visible() also shows (SW_SHOW) and hides the window.
  void BindFrame(ui::FormFrame& frame, bool followVisible);
  void ApplyFrame();  // pushes the bound frame now

 protected:
  // The form's messages; the default is DefWindowProcW. Call Window::HandleMessage for defaults.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called after the window moved to its new DPI's suggested rectangle.
  virtual void OnDpiChanged(UINT /*dpi*/) {}

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void FrameMoved();
  HWND hwnd_ = nullptr;
  ui::FormFrame* frame_ = nullptr;
  bool followVisible_ = false;
  bool applyingFrame_ = false;
};

// --- widgets -------------------------------------------------------------------------------------

class Widget {
 public:
  Widget() = default;
  virtual ~Widget();
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  HWND Handle() const { return hwnd_; }
  int Id() const { return id_; }
  const Bounds& Layout() const { return layout_; }
  void SetLayout(const Bounds& b) { layout_ = b; }
  // Moves the control to its layout row scaled by dpi.
  void Place(UINT dpi);
  // Moves the control to device pixels (for rows that fill or align, computed by the form).
  void MoveTo(int x, int y, int width, int height);
  // New DPI: font and position.
  virtual void ApplyDpi(UINT dpi);

  // The widget bound to a control HWND, or nullptr.
  static Widget* FromHandle(HWND hwnd);
  // Hands a control's WM_COMMAND / WM_NOTIFY / WM_DRAWITEM / WM_CTLCOLOR* to its widget.
  static bool Route(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  HWND CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                     DWORD exStyle, int id, const Bounds& layout, UINT dpi);
  void Attach(HWND hwnd);  // binds another HWND (e.g. a radio group's item) to this widget
  // Enabled, visible and hint of a model, pushed when they differ.
  void SyncCommon(const ui::Control& model);
  void SetTip(const std::string& hint);
  void SetTextIfDifferent(const std::wstring& text);

  virtual bool OnCommand(HWND /*source*/, int /*code*/) { return false; }
  virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool OnDrawItem(DRAWITEMSTRUCT* /*item*/) { return false; }
  virtual bool OnCtlColor(HDC /*dc*/, LRESULT& /*result*/) { return false; }

  // Echo suppression: notifications arriving while the program updates the control are ignored.
  class Updating {
   public:
    explicit Updating(Widget& w) : w_(w), was_(w.updating_) { w.updating_ = true; }
    ~Updating() { w_.updating_ = was_; }

   private:
    Widget& w_;
    bool was_;
  };
  bool updating_ = false;
  HWND hwnd_ = nullptr;
  int id_ = 0;
  Bounds layout_;
  int fontPixels_ = 12;
  bool fontBold_ = false;
  std::string tip_;
};

// Push button bound to ui::Button (caption, enabled, visible, hint); click -> Click().
// style: e.g. BS_DEFPUSHBUTTON for a dialog's default button.
class Button : public Widget {
 public:
  ~Button() override;
  void Create(HWND parent, int id, const Bounds& layout, ui::Button& model, UINT dpi, DWORD style = 0);
  void Sync();

 protected:
  bool OnCommand(HWND source, int code) override;
  ui::Button* model_ = nullptr;
};

// Paints a 16x16 picture; the canvas is pre-filled with win::PictureMask, which stays transparent.
using PictureFn = void (*)(HDC dc);
inline constexpr COLORREF PictureMask = RGB(255, 0, 255);

// Speed button bound to ui::Button: owner-drawn, 16x16 picture (scaled by DPI) with a greyed
// picture made from it for the disabled state, or the model's caption when it has no picture.
// A mouse press never takes the focus from the control that has it; BM_CLICK works as usual.
class SpeedButton : public Button {
 public:
  ~SpeedButton() override;
  void Create(HWND parent, int id, const Bounds& layout, ui::Button& model, UINT dpi,
              PictureFn picture = nullptr);
  void ApplyDpi(UINT dpi) override;

 protected:
  bool OnDrawItem(DRAWITEMSTRUCT* item) override;

 private:
  void MakePictures(UINT dpi);
  void FreePictures();
  // Pressed with the mouse without taking the focus, as a speed button does.
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  bool tracking_ = false;
  PictureFn picture_ = nullptr;
  HIMAGELIST normal_ = nullptr;
  HIMAGELIST greyed_ = nullptr;
  int pictureSize_ = 16;
};

// Single-line edit bound to ui::Edit; EN_CHANGE -> UserSetText(text). style: e.g. ES_READONLY.
class Edit : public Widget {
 public:
  ~Edit() override;
  void Create(HWND parent, int id, const Bounds& layout, ui::Edit& model, UINT dpi, DWORD style = 0);
  void Sync();

 protected:
  bool OnCommand(HWND source, int code) override;

 private:
  ui::Edit* model_ = nullptr;
};

// Check box bound to ui::CheckBox; the model decides the state (BS_CHECKBOX), click -> UserClick().
class CheckBox : public Widget {
 public:
  ~CheckBox() override;
  void Create(HWND parent, int id, const Bounds& layout, ui::CheckBox& model, UINT dpi);
  void Sync();

 protected:
  bool OnCommand(HWND source, int code) override;

 private:
  ui::CheckBox* model_ = nullptr;
};

// Radio button bound to ui::RadioButton (BS_RADIOBUTTON: the model unchecks the siblings).
// firstOfGroup: WS_GROUP, for the first button of a set.
class RadioButton : public Widget {
 public:
  ~RadioButton() override;
  void Create(HWND parent, int id, const Bounds& layout, ui::RadioButton& model, UINT dpi,
              bool firstOfGroup = false);
  void Sync();

 protected:
  bool OnCommand(HWND source, int code) override;

 private:
  ui::RadioButton* model_ = nullptr;
};

// Radio group bound to ui::RadioGroup: a group box captioned model.Caption with one radio button
// per model.Items, laid out in model.Columns columns inside the box; items get the ids
// itemFirstId + index. A click on an item -> SetItemIndex(index) while the model is enabled.
class RadioGroup : public Widget {
 public:
  ~RadioGroup() override;
  void Create(HWND parent, int id, int itemFirstId, const Bounds& layout, ui::RadioGroup& model, UINT dpi);
  void Sync();
  void ApplyDpi(UINT dpi) override;
  HWND Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }

 protected:
  bool OnCommand(HWND source, int code) override;

 private:
  void PlaceItems(UINT dpi);
  ui::RadioGroup* model_ = nullptr;
  std::vector<HWND> items_;
};

// Combo box bound to ui::ComboBox: CBS_DROPDOWN when model.HasEditField, else CBS_DROPDOWNLIST.
// The items are the model's, in the model's order (no CBS_SORT: the model sorts); a change is
// applied by inserting/deleting at the model's positions. User pick -> UserPick(i); typing ->
// UserType(text). layout.height is the height of the dropped-down list (0: 200 px).
class ComboBox : public Widget {
 public:
  ~ComboBox() override;
  void Create(HWND parent, int id, const Bounds& layout, ui::ComboBox& model, UINT dpi);
  void Sync();
  void ApplyDpi(UINT dpi) override;

 protected:
  bool OnCommand(HWND source, int code) override;

 private:
  void SyncItems();
  ui::ComboBox* model_ = nullptr;
  std::vector<std::string> shown_;
};

// Group box with a fixed caption; kept at the bottom of the z-order so its contents paint over it.
class GroupBox : public Widget {
 public:
  void Create(HWND parent, int id, const Bounds& layout, const std::string& caption, UINT dpi);
  void SetCaption(const std::string& caption);
};

// Static text (SS_NOTIFY). style: e.g. SS_CENTER. Optional text colour, click and mouse-move
// callbacks (for link-like labels), and its own font size.
class Label : public Widget {
 public:
  ~Label() override;
  void Create(HWND parent, int id, const Bounds& layout, const std::string& caption, UINT dpi, DWORD style = 0);
  void SetCaption(const std::string& caption);
  void SetTextColor(COLORREF colour);  // BGR, as RGB()
  void SetFont(int pixels, bool bold);  // at 96 DPI
  std::function<void()> OnClick;
  std::function<void()> OnMouseMove;

 protected:
  bool OnCommand(HWND source, int code) override;
  bool OnCtlColor(HDC dc, LRESULT& result) override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  COLORREF colour_ = CLR_INVALID;
};

// Status bar bound to ui::StatusBarModel: one part (so WM_GETTEXT returns its text), font 11 px.
// Visible follows the model; OnVisibilityChanged lets the form give the space to other controls.
class StatusBar : public Widget {
 public:
  ~StatusBar() override;
  void Create(HWND parent, int id, const Bounds& layout, ui::StatusBarModel& model, UINT dpi);
  void Sync();
  std::function<void()> OnVisibilityChanged;

 private:
  ui::StatusBarModel* model_ = nullptr;
};

// Report-style owner-data list view bound to lists::EntryList: column 0 shows the titles, column 1
// the URLs; any number of entries shows at once. The model's selection is pushed (and scrolled
// into view); the user's selection changes call Select(i) / Select(-1).
// style: extra LVS_* (e.g. LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_SINGLESEL).
class ListView : public Widget {
 public:
  ~ListView() override;
  void Create(HWND parent, int id, const Bounds& layout, lists::EntryList& model, UINT dpi, DWORD style);
  void AddColumn(const std::string& caption, int width96);
  void ApplyDpi(UINT dpi) override;
  void BeginTitleEdit(int index);  // ListView_EditLabel
  void SetHint(const std::string& hint) { SetTip(hint); }

  std::function<void()> OnDblClick;
  std::function<void(POINT screen)> OnContextMenu;  // right click or the menu key
  std::function<void(int index, const std::string& title)> OnTitleEdited;  // not when cancelled
  // A key pressed while the list view has the focus; true when handled.
  std::function<bool(UINT virtualKey)> OnKeyDown;

 protected:
  bool OnNotify(NMHDR* header, LRESULT& result) override;

 private:
  void Reset();
  void ItemChanged(int index);
  void PushSelection();
  void CheckSelection();
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  lists::EntryList* model_ = nullptr;
  std::vector<int> columnWidths_;
  std::wstring text_;  // the text handed out by LVN_GETDISPINFO
};

// A plain container (our own window class "TavrinPanel"), optionally with a raised bevel. Its
// procedure routes its children's notifications to their widgets, inside win::Guard.
class Panel : public Widget {
 public:
  void Create(HWND parent, int id, const Bounds& layout, UINT dpi, bool bevel = false);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool bevel_ = false;
};

}  // namespace win
