#include "harness/window_driver.h"

#include <commctrl.h>

#include <memory>

#include "harness/wait.h"
#include "harness/wide_text.h"

namespace harness {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT SendWithTimeout(HWND window, UINT msg, WPARAM w, LPARAM l) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, msg, w, l, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A block of memory in the process that owns a window, for messages whose pointers the system
// does not carry across processes (list view items).
class RemoteBlock {
 public:
  RemoteBlock(HWND window, std::size_t size) : Size(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    Process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                          FALSE, pid);
    if (Process) Address = VirtualAllocEx(Process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (Address) VirtualFreeEx(Process, Address, 0, MEM_RELEASE);
    if (Process) CloseHandle(Process);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  bool Ok() const { return Address != nullptr; }
  char* At(std::size_t offset) const { return static_cast<char*>(Address) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t n) const {
    SIZE_T done = 0;
    return WriteProcessMemory(Process, At(offset), data, n, &done) && done == n;
  }
  bool Read(std::size_t offset, void* data, std::size_t n) const {
    SIZE_T done = 0;
    return ReadProcessMemory(Process, At(offset), data, n, &done) && done == n;
  }

 private:
  std::size_t Size;
  HANDLE Process = nullptr;
  void* Address = nullptr;
};

struct FindState {
  DWORD ProcessId;
  std::vector<HWND> Found;
};

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  FindState state{processId, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<FindState*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == s->ProcessId) s->Found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&state));
  return state.Found;
}

HWND FindTopLevelWindow(DWORD processId, const wchar_t* className) {
  for (HWND w : TopLevelWindowsOf(processId)) {
    if (ClassNameOf(w) == className) return w;
  }
  return nullptr;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindChild(HWND parent, int controlId) {
  for (HWND w : ChildrenOf(parent)) {
    if (GetDlgCtrlID(w) == controlId) return w;
  }
  return nullptr;
}

HWND FindChildByClass(HWND parent, const wchar_t* className) {
  for (HWND w : ChildrenOf(parent)) {
    if (ClassNameOf(w) == className) return w;
  }
  return nullptr;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t buf[256];
  int n = GetClassNameW(window, buf, 256);
  return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring WindowTextW(HWND window) {
  LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT got = SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

std::string WindowText(HWND window) { return Cp932(WindowTextW(window)); }

bool IsVisible(HWND window) { return IsWindowVisible(window) != 0; }
bool IsEnabled(HWND window) { return IsWindowEnabled(window) != 0; }

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT ClientRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

int ControlId(HWND control) { return GetDlgCtrlID(control); }

void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_MOUSEMOVE, 0, PointParam(x, y));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, PointParam(x, y));
}

void Click(HWND control) {
  RECT r = ClientRect(control);
  ClickAt(control, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

void DoubleClickAt(HWND window, int x, int y) {
  ClickAt(window, x, y);
  PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, PointParam(x, y));
}

void PressButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PostCommand(HWND window, int commandId) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(commandId), 0), 0);
}

void PostTrayMessage(HWND mainWindow, UINT mouseMessage) {
  PostMessageW(mainWindow, kTrayMessage, kTrayIconId, static_cast<LPARAM>(mouseMessage));
}

void PostClose(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

void PostKey(HWND window, UINT virtualKey) {
  UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
  PostMessageW(window, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | (3u << 30));
}

void PostChars(HWND window, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(window, WM_CHAR, c, 1);
}

void SendKeyInput(WORD virtualKey, bool ctrl, bool shift, bool alt) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  if (ctrl) add(VK_CONTROL, false);
  if (shift) add(VK_SHIFT, false);
  if (alt) add(VK_MENU, false);
  add(virtualKey, false);
  add(virtualKey, true);
  if (alt) add(VK_MENU, true);
  if (shift) add(VK_SHIFT, true);
  if (ctrl) add(VK_CONTROL, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool BringToForeground(HWND window) {
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
}

bool SetText(HWND window, const std::wstring& text) {
  return SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE;
}

std::wstring MessageBoxTextW(HWND box) {
  // The message is the static control with ID 0xFFFF; fall back to the longest static text.
  if (HWND text = FindChild(box, 0xFFFF)) return WindowTextW(text);
  std::wstring best;
  for (HWND w : ChildrenOf(box)) {
    if (_wcsicmp(ClassNameOf(w).c_str(), L"Static") == 0) {
      std::wstring t = WindowTextW(w);
      if (t.size() > best.size()) best = t;
    }
  }
  return best;
}

std::string MessageBoxText(HWND box) { return Cp932(MessageBoxTextW(box)); }

bool AnswerMessageBox(HWND box, int buttonId) {
  HWND button = GetDlgItem(box, buttonId);
  if (!button) return false;
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(buttonId), BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != 0;
}

int ComboCount(HWND combo) { return static_cast<int>(SendWithTimeout(combo, CB_GETCOUNT, 0, 0)); }

std::string ComboItemText(HWND combo, int index) {
  LRESULT length = SendWithTimeout(combo, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT got = SendWithTimeout(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return Cp932(text);
}

int ComboSelection(HWND combo) { return static_cast<int>(SendWithTimeout(combo, CB_GETCURSEL, 0, 0)); }

int ListViewCount(HWND listView) { return static_cast<int>(SendWithTimeout(listView, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListViewTextW(HWND listView, int item, int subItem) {
  constexpr std::size_t kChars = 4096;
  RemoteBlock block(listView, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  if (!block.Ok()) return {};
  LVITEMW lv{};
  lv.iSubItem = subItem;
  lv.cchTextMax = kChars;
  lv.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(LVITEMW)));
  block.Write(0, &lv, sizeof lv);
  LRESULT n = SendWithTimeout(listView, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(block.At(0)));
  if (n <= 0) return {};
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  block.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
  return text;
}

std::string ListViewText(HWND listView, int item, int subItem) {
  return Cp932(ListViewTextW(listView, item, subItem));
}

int ListViewSelection(HWND listView) {
  return static_cast<int>(SendWithTimeout(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool SelectListViewItem(HWND listView, int item) {
  RemoteBlock block(listView, sizeof(LVITEMW));
  if (!block.Ok()) return false;
  LVITEMW lv{};
  lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  lv.state = 0;
  block.Write(0, &lv, sizeof lv);
  SendWithTimeout(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block.At(0)));
  lv.state = LVIS_SELECTED | LVIS_FOCUSED;
  block.Write(0, &lv, sizeof lv);
  return SendWithTimeout(listView, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(block.At(0))) == TRUE;
}

std::vector<Row> ListViewRows(HWND listView) {
  std::vector<Row> rows;
  int n = ListViewCount(listView);
  for (int i = 0; i < n; ++i) rows.push_back({ListViewText(listView, i, 0), ListViewText(listView, i, 1)});
  return rows;
}

}  // namespace harness
