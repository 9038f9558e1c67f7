#pragma once
// Finding the windows of another process and sending them what a user's actions produce. Messages
// that may open a modal loop in the program (commands, clicks, the tray message) are posted, so
// the test never blocks on the program; reads use SendMessageTimeout.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace harness {

// The program's tray notification: message 1025 on the main window, wParam the icon id 100,
// lParam the mouse message.
constexpr UINT kTrayMessage = WM_USER + 1;
constexpr UINT kTrayIconId = 100;
// The class of standard dialog boxes, message boxes included.
constexpr const wchar_t* kDialogClass = L"#32770";

// Top-level windows of a process, visible or not, in Z order.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
// The first top-level window of the process with this class; nullptr when none.
HWND FindTopLevelWindow(DWORD processId, const wchar_t* className);
// A child control by ID at any depth below parent; nullptr when none.
HWND FindChild(HWND parent, int controlId);
// The first child at any depth with this class; nullptr when none.
HWND FindChildByClass(HWND parent, const wchar_t* className);
std::vector<HWND> ChildrenOf(HWND parent);  // all descendants

std::wstring ClassNameOf(HWND window);
// WM_GETTEXT (marshalled across processes): the caption of a window, the text of a control.
std::wstring WindowTextW(HWND window);
std::string WindowText(HWND window);  // as CP932 bytes, to compare with the program's literals
bool IsVisible(HWND window);          // IsWindowVisible: the window and its owners are shown
bool IsEnabled(HWND window);
RECT WindowRect(HWND window);         // screen coordinates
RECT ClientRect(HWND window);
int ControlId(HWND control);

// A real click: WM_LBUTTONDOWN and WM_LBUTTONUP posted at the control's centre (or at client
// point x, y).
void Click(HWND control);
void ClickAt(HWND window, int x, int y);
void DoubleClickAt(HWND window, int x, int y);
// A push button pressed (BM_CLICK, posted).
void PressButton(HWND button);
// A menu, accelerator or tray-menu command: WM_COMMAND with the ID, posted.
void PostCommand(HWND window, int commandId);
// The tray notification with a mouse message (WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, ...), posted.
void PostTrayMessage(HWND mainWindow, UINT mouseMessage);
void PostClose(HWND window);
// A key pressed and released on a window (WM_KEYDOWN/WM_KEYUP, posted): reaches the program's
// accelerators and the focused control's key handling, but not GetKeyState.
void PostKey(HWND window, UINT virtualKey);
// Characters typed into an edit control (WM_CHAR per character, posted).
void PostChars(HWND window, const std::wstring& text);
// Real keyboard input (SendInput) to whatever has the focus; modifiers are held around the key.
void SendKeyInput(WORD virtualKey, bool ctrl = false, bool shift = false, bool alt = false);
// SetForegroundWindow and a moment for the activation to arrive.
bool BringToForeground(HWND window);
// Sets an edit control's whole text (WM_SETTEXT, sent).
bool SetText(HWND window, const std::wstring& text);

// Message boxes: the text of the box (its static text control), and a press of one of its
// buttons by ID (IDOK, IDCANCEL, IDYES, IDNO ...). False when the box has no such button.
std::string MessageBoxText(HWND box);  // CP932
std::wstring MessageBoxTextW(HWND box);
bool AnswerMessageBox(HWND box, int buttonId);

// Combo box items (CB_GETLBTEXT is marshalled across processes).
int ComboCount(HWND combo);
std::string ComboItemText(HWND combo, int index);  // CP932
int ComboSelection(HWND combo);                     // CB_ERR (-1) when none

// List view of another process, read through memory in that process.
int ListViewCount(HWND listView);
std::string ListViewText(HWND listView, int item, int subItem);  // CP932
std::wstring ListViewTextW(HWND listView, int item, int subItem);
int ListViewSelection(HWND listView);  // first selected item, -1 when none
// Selects item alone (and focuses it), as a click on it does.
bool SelectListViewItem(HWND listView, int item);

// The title and URL of every row of a two-column list view, as CP932 texts.
struct Row {
  std::string Title;
  std::string Url;
  bool operator==(const Row&) const = default;
};
std::vector<Row> ListViewRows(HWND listView);

}  // namespace harness
