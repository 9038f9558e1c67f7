#include "ui/controls.h"

#include <algorithm>

#include "core/text.h"

namespace ui {

int ComboBox::Add(const std::string& item) {
  int at = Count();
  if (Sorted) {
    auto it = std::upper_bound(items_.begin(), items_.end(), item, [](const std::string& a, const std::string& b) {
      return core::CompareNameIgnoreCase(a, b) < 0;
    });
    at = static_cast<int>(it - items_.begin());
  }
  Insert(at, item);
  return at;
}

void ComboBox::Insert(int index, const std::string& item) {
  items_.insert(items_.begin() + index, item);
  if (itemIndex_ >= index) ++itemIndex_;
  Refresh();
}

void ComboBox::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) itemIndex_ = -1;  // the text stays as it was shown
  else if (itemIndex_ > index) --itemIndex_;
  Refresh();
}

void ComboBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  text_.clear();
  Refresh();
}

void ComboBox::SetItems(std::vector<std::string> items) {
  if (Sorted) {
    std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
      return core::CompareNameIgnoreCase(a, b) < 0;
    });
  }
  items_ = std::move(items);
  itemIndex_ = -1;
  Refresh();
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  if (index >= 0) text_ = items_[static_cast<std::size_t>(index)];
  else if (!HasEditField) text_.clear();
  Refresh();
}

void ComboBox::MarkItem(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  Refresh();
}

void ComboBox::SetText(std::string text) {
  text_ = std::move(text);
  Refresh();
}

int ComboBox::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (core::SameNameIgnoreCase(items_[static_cast<std::size_t>(i)], name)) return i;
  }
  return -1;
}

void ComboBox::UserPick(int index) {
  if (index < 0 || index >= Count()) return;
  itemIndex_ = index;
  text_ = items_[static_cast<std::size_t>(index)];
  if (OnChange) OnChange();
}

void ComboBox::UserType(std::string text) {
  text_ = std::move(text);
  itemIndex_ = -1;  // an edited text marks no item
  if (OnChange) OnChange();
}

void FormFrame::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left, top_ = top, width_ = width, height_ = height;
  Refresh();
}

}  // namespace ui
