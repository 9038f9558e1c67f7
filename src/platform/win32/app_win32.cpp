#include "platform/win32/app_win32.h"

#include <commdlg.h>

#include <cwchar>
#include <vector>

#include "core/text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/widgets.h"

namespace win {

namespace {

constexpr UINT TrayId = 100;
constexpr UINT TrayCallback = 1025;

void Notify(DWORD message, UINT flags, HICON icon, const std::string& tip) {
  NOTIFYICONDATAW data = Win32Tray::Record(ProgramWindow(), flags, icon, tip);
  Shell_NotifyIconW(message, &data);
}

// Characters a file: URL cannot carry as they are.
std::wstring FileUrl(const std::wstring& path) {
  std::wstring url = L"file:///";
  for (wchar_t c : path) {
    if (c == L'\\') {
      url += L'/';
    } else if (c == L' ' || c == L'#' || c == L'%' || c == L'?') {
      wchar_t escaped[4];
      swprintf(escaped, 4, L"%%%02X", static_cast<unsigned>(c));
      url += escaped;
    } else {
      url += c;
    }
  }
  return url;
}

}  // namespace

// --- dialogs ------------------------------------------------------------------------------------

int Win32Dialogs::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return MessageBoxW(DialogOwner(), Widen(text).c_str(), Widen(caption).c_str(), flags);
}

int Win32Dialogs::OwnerlessMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

void Win32Dialogs::ShowMessage(const std::string& text) {
  MessageBoxW(DialogOwner(), Widen(text).c_str(), L"Tavrin", MB_OK);
}

void Win32Dialogs::ErrorBox(const std::string& message) { ShowErrorBox(message); }

std::optional<std::string> Win32Dialogs::OpenFile(const app::OpenFileRequest& request) {
  // "a|b|c|d" becomes "a\0b\0c\0d\0\0".
  std::wstring filter = Widen(request.filter);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  if (!filter.empty()) filter.append(2, L'\0');
  std::wstring extension = Widen(request.defaultExtension);
  if (extension.rfind(L"*.", 0) == 0) extension.erase(0, 2);
  else if (extension.rfind(L".", 0) == 0) extension.erase(0, 1);
  const std::wstring directory = Widen(request.initialDirectory);
  std::vector<wchar_t> file(32768, L'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  return Narrow(file.data());
}

void Win32Dialogs::Beep(unsigned type) { MessageBeep(type); }

// --- shell --------------------------------------------------------------------------------------

void Win32Shell::Open(const std::string& target) {
  ShellExecuteW(ProgramWindow(), L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOW);
}

// --- tray ---------------------------------------------------------------------------------------

NOTIFYICONDATAW Win32Tray::Record(HWND window, UINT flags, HICON icon, const std::string& tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = window;
  data.uID = TrayId;
  data.uFlags = flags;
  if (flags & NIF_MESSAGE) data.uCallbackMessage = TrayCallback;
  if (flags & NIF_ICON) data.hIcon = icon;
  if (flags & NIF_TIP) {
    // At most 63 bytes of CP932; a double-byte character cut at the end is dropped.
    const std::wstring text = Widen(core::FirstBytes(tip, 63));
    wcsncpy(data.szTip, text.c_str(), 63);
    data.szTip[63] = L'\0';
  }
  return data;
}

void Win32Tray::Add(const std::string& tip) { Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP, icon_, tip); }
void Win32Tray::Modify(const std::string& tip) { Notify(NIM_MODIFY, NIF_TIP, nullptr, tip); }
void Win32Tray::Remove() { Notify(NIM_DELETE, 0, nullptr, std::string()); }

// --- help ---------------------------------------------------------------------------------------

std::string Win32Help::Address(const std::string& anchor) const {
  return Narrow(FileUrl(Widen(programDir_ + "Tavrin.html"))) + anchor;
}

// A file: URL opened as a file loses its anchor (or is not found at all), so it goes to the
// handler of web addresses, the default browser; the plain document is the fallback.
void Win32Help::Open(const std::string& anchor) const {
  const std::wstring url = Widen(Address(anchor));
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
  info.hwnd = ProgramWindow();
  info.lpVerb = L"open";
  info.lpFile = url.c_str();
  info.lpClass = L"http";
  info.nShow = SW_SHOW;
  if (!ShellExecuteExW(&info)) Win32Shell().Open(programDir_ + "Tavrin.html");
}

void Win32Help::Contents() { Open("#contents"); }

void Win32Help::Context(int topic) { Open(topic == 1 ? "#tray" : topic == 4 ? "#settings" : "#contents"); }

// --- application --------------------------------------------------------------------------------

void Win32Application::ShowApplicationWindow(ShowCommand command) {
  HWND main = ProgramWindow();
  if (!main) return;
  switch (command) {
    case Hide:
      ShowWindow(main, SW_HIDE);
      break;
    case ShowMinimized:
      ShowWindow(main, SW_SHOWMINIMIZED);
      break;
    case Restore:
      ShowWindow(main, SW_RESTORE);
      break;
  }
}

void Win32Application::ShowMainWindow() {
  HWND main = ProgramWindow();
  if (!main) return;
  if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
  ShowWindow(main, SW_SHOW);
  BringWindowToTop(main);
  SetForegroundWindow(main);
}

void Win32Application::Terminate() {
  if (HWND main = ProgramWindow()) DestroyWindow(main);  // its owned windows go with it
  PostQuitMessage(0);
}

// --- folders ------------------------------------------------------------------------------------

std::string Win32Folders::WindowsDirectory() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return std::string();
  std::wstring directory(buffer, length);
  while (!directory.empty() && directory.back() == L'\\') directory.pop_back();
  return Narrow(directory);
}

// --- list editing -------------------------------------------------------------------------------

void Win32ListEditing::BeginTitleEdit(int index) {
  if (view_) view_->BeginTitleEdit(index);
}

std::string ProgramDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return Narrow(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1));
}

}  // namespace win
