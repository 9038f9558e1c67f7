#pragma once
// Control models: the state of one control and its click or change rule. A value set by the
// program runs the rule only when it really changes. The Win32 binding observes each model
// (View) to push changes to the real control, and reports user input through the User* calls.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

class Control {
 public:
  std::function<void()> View;  // set by the binding: the model changed, update the control

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { Set(enabled_, v); }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string v) { Set(hint_, std::move(v)); }

 protected:
  template <class T>
  bool Set(T& field, T value) {
    if (field == value) return false;
    field = std::move(value);
    Refresh();
    return true;
  }
  void Refresh() {
    if (View) View();
  }

 private:
  bool enabled_ = true;
  bool visible_ = true;
  std::string hint_;
};

class Button : public Control {
 public:
  std::function<void()> OnClick;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  // A click by the user (or the program): runs the rule while the button is enabled.
  void Click() {
    if (Enabled() && OnClick) OnClick();
  }

 private:
  std::string caption_;
};

class Edit : public Control {
 public:
  std::function<void()> OnChange;
  const std::string& Text() const { return text_; }
  void SetText(std::string v) {
    if (Set(text_, std::move(v)) && OnChange) OnChange();
  }
  void UserSetText(std::string v) { SetText(std::move(v)); }

 private:
  std::string text_;
};

class CheckBox : public Control {
 public:
  std::function<void()> OnClick;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) {
    if (Set(checked_, v) && OnClick) OnClick();
  }
  void UserClick() {
    if (Enabled()) SetChecked(!checked_);
  }

 private:
  std::string caption_;
  bool checked_ = false;
};

// Radio buttons of one parent: checking one turns its siblings off (without their rules), and
// the rule runs only for the button that becomes checked.
class RadioButton : public Control {
 public:
  std::function<void()> OnClick;
  std::vector<RadioButton*> Siblings;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) {
    if (!Set(checked_, v) || !v) return;
    for (RadioButton* other : Siblings) {
      if (other != this) other->Set(other->checked_, false);
    }
    if (OnClick) OnClick();
  }
  void UserClick() {
    if (Enabled()) SetChecked(true);
  }

 private:
  std::string caption_;
  bool checked_ = false;
};

class RadioGroup : public Control {
 public:
  std::function<void()> OnClick;
  std::string Caption;
  std::vector<std::string> Items;
  int Columns = 1;
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v) {
    if (Set(itemIndex_, v) && OnClick) OnClick();
  }

 private:
  int itemIndex_ = -1;
};

// A combo box. Changes made by the program never run OnChange; the user's picks and typing do.
class ComboBox : public Control {
 public:
  std::function<void()> OnChange;
  bool Sorted = false;
  bool HasEditField = true;  // false: a drop-down list, whose text is the selected item

  const std::vector<std::string>& Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }
  const std::string& Text() const { return text_; }

  int Count() const { return static_cast<int>(items_.size()); }
  // Adds an item (at its sorted place when Sorted); the selection stays on the same item.
  int Add(const std::string& item);
  void Insert(int index, const std::string& item);
  void Delete(int index);
  void Clear();
  void SetItems(std::vector<std::string> items);  // sorted when Sorted
  void SetItemIndex(int index);                   // -1: none; the text follows the item
  void MarkItem(int index);                       // selects an item, the text stays as typed
  void SetText(std::string text);
  // The first item equal to name ignoring case (list names), or -1.
  int IndexOfName(const std::string& name) const;

  void UserPick(int index);
  void UserType(std::string text);

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  std::string text_;
};

class StatusBarModel : public Control {
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string v) { Set(text_, std::move(v)); }

 private:
  std::string text_;
};

class MenuItem : public Control {
 public:
  std::function<void()> OnClick;
  std::string Caption;
  void Click() {
    if (Enabled() && OnClick) OnClick();
  }
};

// Position, size, caption and style of a top-level window.
class FormFrame : public Control {
 public:
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  // The user moved or sized the window: the model follows without echo.
  void UserMoved(int left, int top, int width, int height) {
    left_ = left, top_ = top, width_ = width, height_ = height;
  }
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool v) { Set(stayOnTop_, v); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }

 private:
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool stayOnTop_ = false;
  std::string caption_;
};

}  // namespace ui
