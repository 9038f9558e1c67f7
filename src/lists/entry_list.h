#pragma once
// The open list: the entries shown in the URL list, its single selection and its change reports.
// Selecting an entry reports first the entry losing the selection, then the one gaining it; a
// title change is reported, a URL change is not.
#include <functional>
#include <string>
#include <vector>

namespace lists {

struct Entry {
  std::string title;
  std::string url;
  bool hasUrl = false;  // an entry whose URL was never given reads as the empty text
};

class EntryList {
 public:
  std::function<void(int index)> OnChange;  // change report for one entry
  // View observers set by the binding.
  std::function<void()> ViewReset;                  // entries added, removed or reordered
  std::function<void(int index)> ViewItemChanged;   // one entry's texts or selection changed

  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  const Entry& At(int index) const { return entries_[static_cast<std::size_t>(index)]; }
  const std::string& Title(int index) const { return At(index).title; }
  const std::string& Url(int index) const { return At(index).url; }
  bool Valid(int index) const { return index >= 0 && index < Count(); }

  int Selected() const { return selected_; }  // -1 when none
  bool IsSelected(int index) const { return index >= 0 && index == selected_; }

  // Appends an entry with a title and no URL yet; the title change is reported.
  int Add(const std::string& title);
  // Appends without reports (loading a file into a cleared list).
  void AddSilently(std::string title, std::string url);
  void SetTitle(int index, const std::string& title);  // reported
  void SetUrl(int index, const std::string& url);      // not reported
  void Select(int index);                              // -1 deselects
  void Delete(int index);  // no report; a deleted selection leaves nothing selected
  void Clear();            // no reports
  // The two entries change places with their titles and URLs; each title change is reported.
  void Exchange(int a, int b);

 private:
  void Report(int index);
  void ViewItem(int index);
  std::vector<Entry> entries_;
  int selected_ = -1;
};

}  // namespace lists
