#pragma once
// The main window's logic: its controls as models, its state record and its handlers.
#include <memory>
#include <string>

#include "lists/entry_list.h"
#include "ui/controls.h"
#include "ui/ports.h"

namespace ui {

class TConfigDlg;

inline constexpr const char* ApplicationTitle = "Tavrin";
inline constexpr const char* HelpFileName = "Tavrin.hlp";
inline constexpr int TrayIconId = 100;
inline constexpr unsigned TrayCallbackMessage = 1025;

class TMainForm {
 public:
  TMainForm(Ports& ports, std::string programDir);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // --- controls ---
  FormFrame Frame;  // caption "Tavrin", position and size
  ComboBox CmbList;
  Button ButNewList;
  lists::EntryList LstURL;
  Button SpbTop, SpbGo, SpbSkip, SpeedButton1, SpbSetTime, SpbWindwSize;
  StatusBarModel StatusBar;
  MenuItem MnuConfig, MnuHide, MnuExit, MnuHelpTopic, MnuAbout;
  MenuItem PMnuListDel, PMnuListRename;
  MenuItem PM_Show, PM_NextList, PM_NextURL, PM_SetTime, PM_Help, PM_About, PM_Exit, Get1;

  // --- state record ---
  bool ListDirty = false;
  std::string ProgramDir;  // ends with a backslash (or the platform's separator)
  std::string CurrentListName;
  std::string StartListName;
  std::string CurrentTitle;
  std::string CurrentURL;
  std::string CapturedTitle;
  std::string CapturedURL;
  int CurrentIndex = 0;
  bool StayOnTop = false;
  bool UseStartList = false;
  bool ShowAtStart = false;
  bool ShowStatusBar = false;
  bool ConfigOpen = false;
  bool StatusShowsTitle = false;
  int AutoEditMode = 0;

  // --- program-wide settings ---
  std::string NtpServer;
  std::string NtpSound;
  bool LastTop = false, LastMess = false, LastSound = false, LastExit = false;

  // The settings panel, created after the main window.
  TConfigDlg* ConfigDlg = nullptr;
  void AttachConfigDlg(TConfigDlg* dlg) { ConfigDlg = dlg; }

  // --- start-up and shutdown ---
  void FormCreate();
  // The shutdown sequence; true when the close goes ahead (the caller then ends the program).
  bool FormClose();
  // A close request from anywhere: runs the shutdown and ends the program when it completes.
  void Close();
  void ApplicationMinimize();
  bool Closed() const { return closed_; }

  // --- the open list ---
  void LoadCurrentList();
  void SaveCurrentList();
  std::string ListFilePath(const std::string& name) const;
  // Appends an entry: ListDirty, a row with the title, the URL as its sub-item, selected.
  void AppendEntry(const std::string& title, const std::string& url);

  // --- patrol ---
  void LstURLChange(int index);
  std::string UrlOfEntry(int index);
  void SpbGoClick();
  void SpbTopClick();
  void SpbSkipClick();
  void PM_NextURLClick();
  void LstURLDblClick();

  // --- list management ---
  void CmbListChange();
  void ButNewListClick();
  void PM_NextListClick();
  void PMnuListPopup();
  void PMnuListDelClick();
  void PMnuListRenameClick();
  void LstURLEdited(int index, const std::string& title);  // an in-place retitle ended
  int OpenListItem() const;  // the CmbList item of the open list, or -1

  // --- capture, clock, drop ---
  void SpeedButton1Click();
  void Get1Click() { SpeedButton1Click(); }
  void SpbSetTimeClick();
  void PM_SetTimeClick() { SpbSetTimeClick(); }
  void WMDropFiles(const std::string& firstPath);

  // --- shell commands ---
  void SpbWindwSizeClick();
  void MnuConfigClick() { SpbWindwSizeClick(); }
  void MnuHideClick();
  void MnuExitClick() { Close(); }
  void MnuHelpTopicClick();
  void MnuAboutClick();
  void PM_ShowClick();
  void PM_HelpClick();
  void PM_AboutClick() { MnuAboutClick(); }
  void PM_ExitClick() { Close(); }

  // --- tray ---
  void SetTrayTip(const std::string& text);
  const std::string& TrayTip() const { return trayTip_; }
  void WMTrayIcon(unsigned mouseMessage);
  void TaskbarCreated();  // the shell restarted: add the icon again
  std::function<void()> PopupTrayMenu;  // set by the binding: shows PopupMenu1 at the cursor

  bool AddPageDialogOpen() const { return addPageOpen_; }
  bool AboutOpen() const { return aboutOpen_; }
  std::function<void()> BringAboutToFront;  // set by the binding

  Ports& Platform() { return ports_; }
  void RefreshStatusText();  // the status bar shows the current title or URL

 private:
  void WriteSettingsFile();
  Ports& ports_;
  std::string trayTip_ = "Tavrin";
  bool closed_ = false;
  bool addPageOpen_ = false;
  bool aboutOpen_ = false;
};

}  // namespace ui
