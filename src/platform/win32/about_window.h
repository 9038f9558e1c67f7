#pragma once
// The About box window (TDlgAbout): the background picture with the program's name, version,
// notice line and icon painted on it, scrolled as a whole inside a client area smaller than the
// picture, and the white support panel with its two link labels.
#include <string>

#include "platform/win32/widgets.h"
#include "ui/dialogs.h"

namespace win {

class AboutWindow;

// A child window that reports mouse moves and takes a press and release inside it as a click,
// as a label or picture does.
class ClickableWindow : public Window {
 public:
  std::function<void()> OnMouseMove, OnClick;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool pressed_ = false;
};

// A link label of the support panel: its caption underlined in the model's colour.
class AboutLink : public ClickableWindow {
 public:
  void Create(AboutWindow& box, HWND panel, int id, const std::string& caption, POINT at96, UINT dpi);
  void SetColour(COLORREF colour);
  // Sized to its caption in the link font, at its place for the DPI.
  void Place(UINT dpi);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  SIZE TextSize() const;
  AboutWindow* box_ = nullptr;
  std::wstring caption_;
  POINT at96_{0, 0};
  COLORREF colour_ = RGB(0, 0, 0);
};

// The white panel with the raised and lowered bevels and the captions "サポート：", "E-Mail：".
class AboutPanel : public ClickableWindow {
 public:
  void Create(AboutWindow& box, HWND parent, UINT dpi);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  AboutWindow* box_ = nullptr;
};

class AboutWindow : public Window {
 public:
  AboutWindow(ui::TDlgAbout& dialog, HWND owner);
  ~AboutWindow() override;
  // The box's create handler: placement and the link captions.
  void BeforeShow();
  bool PreTranslate(MSG&) { return false; }  // nothing takes the keyboard focus

  // Fonts of the labels, for the DPI the window has now.
  HFONT LinkFont() const { return linkFont_; }
  HFONT CaptionFont() const { return boldFont_; }
  const ui::TDlgAbout& Dialog() const { return dialog_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(UINT dpi) override;

 private:
  void MakeFonts(UINT dpi);
  void FreeFonts();
  void UpdateScrollBars();
  void ScrollTo(int x, int y);
  void OnScroll(int bar, int code);
  void Paint(HDC dc);
  void PlacePanel();

  ui::TDlgAbout& dialog_;
  AboutPanel panel_;
  AboutLink lblURL_, lblMail_;
  HFONT titleFont_ = nullptr, versionFont_ = nullptr, noticeFont_ = nullptr;
  HFONT boldFont_ = nullptr, linkFont_ = nullptr;
  HICON icon_ = nullptr;
  int scrollX_ = 0, scrollY_ = 0;  // device pixels of the content hidden at the left and top
  bool pressed_ = false;
};

}  // namespace win
