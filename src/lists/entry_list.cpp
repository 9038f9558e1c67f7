#include "lists/entry_list.h"

#include <utility>

namespace lists {

void EntryList::Report(int index) {
  if (OnChange) OnChange(index);
}

void EntryList::ViewItem(int index) {
  if (ViewItemChanged) ViewItemChanged(index);
}

int EntryList::Add(const std::string& title) {
  entries_.push_back(Entry{std::string(), std::string(), false});
  int index = Count() - 1;
  if (ViewReset) ViewReset();
  SetTitle(index, title);
  return index;
}

void EntryList::AddSilently(std::string title, std::string url) {
  entries_.push_back(Entry{std::move(title), std::move(url), true});
}

void EntryList::SetTitle(int index, const std::string& title) {
  if (!Valid(index)) return;
  entries_[static_cast<std::size_t>(index)].title = title;
  ViewItem(index);
  Report(index);
}

void EntryList::SetUrl(int index, const std::string& url) {
  if (!Valid(index)) return;
  Entry& e = entries_[static_cast<std::size_t>(index)];
  e.url = url;
  e.hasUrl = true;
  ViewItem(index);
}

void EntryList::Select(int index) {
  if (!Valid(index)) index = -1;
  if (index == selected_) return;
  int old = selected_;
  selected_ = -1;
  if (old >= 0) {
    ViewItem(old);
    Report(old);
  }
  if (index >= 0 && selected_ == -1) {
    selected_ = index;
    ViewItem(index);
    Report(index);
  }
}

void EntryList::Delete(int index) {
  if (!Valid(index)) return;
  entries_.erase(entries_.begin() + index);
  if (selected_ == index) selected_ = -1;
  else if (selected_ > index) --selected_;
  if (ViewReset) ViewReset();
}

void EntryList::Clear() {
  entries_.clear();
  selected_ = -1;
  if (ViewReset) ViewReset();
}

void EntryList::Exchange(int a, int b) {
  if (!Valid(a) || !Valid(b) || a == b) return;
  Entry ea = At(a), eb = At(b);
  entries_[static_cast<std::size_t>(a)].url = eb.url;
  entries_[static_cast<std::size_t>(a)].hasUrl = eb.hasUrl;
  SetTitle(a, eb.title);
  entries_[static_cast<std::size_t>(b)].url = ea.url;
  entries_[static_cast<std::size_t>(b)].hasUrl = ea.hasUrl;
  SetTitle(b, ea.title);
}

}  // namespace lists
