#pragma once
// The modal dialogs: add page, rename list, About. Each lives only while it is shown.
#include <functional>
#include <string>

#include "ui/controls.h"

namespace ui {

class TMainForm;

// Common to the modal dialogs: the platform's modal loop runs until Close().
class ModalForm {
 public:
  FormFrame Frame;
  std::function<void()> OnClosed;  // set by the modal loop
  void Close() {
    if (closed_) return;
    closed_ = true;
    if (OnClosed) OnClosed();
  }
  bool IsClosed() const { return closed_; }

 private:
  bool closed_ = false;
};

class TDlgAddList : public ModalForm {
 public:
  explicit TDlgAddList(TMainForm& main);
  Edit EdtTitle, EdtURL;
  Button ButOK, ButCancel;
  std::string Label1Caption = "タイトル";
  std::string Label2Caption = "URL";
  std::string Label3Caption = "このホームページをリストに追加します。";
  void FormShow();
  void ButOKClick();
  void ButCancelClick() { Close(); }

 private:
  TMainForm& main_;
};

class TDlgReName : public ModalForm {
 public:
  explicit TDlgReName(TMainForm& main);
  std::string Label1Caption = "新しいリスト名を入力して下さい。";
  Edit EdtReName;
  Button ButOK, ButCancel;
  std::string OldListName;
  std::string OldFileName;
  void FormCreate();
  void ButOKClick();
  void ButCancelClick() { Close(); }

 private:
  TMainForm& main_;
};

class TDlgAbout : public ModalForm {
 public:
  explicit TDlgAbout(TMainForm& main);
  static constexpr const char* Version = "Version 0.30";
  static const char* const SupportUrl;   // the support page (the help document's section)
  static const char* const SupportMail;  // mailto: URI of the maintainers
  std::string Label1Caption = "Tavrin";
  std::string Label2Caption = Version;
  std::string Label3Caption;  // the notice line
  std::string Label4Caption = "サポート：";
  std::string Label5Caption = "E-Mail：";
  std::string LblURLCaption;
  std::string LblMailCaption;
  static constexpr unsigned Black = 0x000000, Blue = 0xFF0000;  // BGR colour values
  unsigned LblURLColor = Black, LblMailColor = Black;
  std::function<void()> ColorsChanged;  // set by the binding

  void FormCreate();
  void Image1Click() { Close(); }
  void LblURLClick();
  void LblMailClick();
  void LblURLMouseMove();
  void LblMailMouseMove();
  void Label4MouseMove();
  // The support page's address depends on where the help document lies.
  std::string SupportPageAddress() const;

 private:
  void SetColors(unsigned url, unsigned mail);
  TMainForm& main_;
};

}  // namespace ui
