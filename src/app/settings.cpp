#include "app/settings.h"

namespace app {

Settings ReadSettings(const core::ProfileFile& f) {
  const char* s = SettingsSection;
  Settings d;  // defaults
  Settings r;
  r.X = f.ReadInteger(s, "X", d.X);
  r.Y = f.ReadInteger(s, "Y", d.Y);
  r.Width = f.ReadInteger(s, "Width", d.Width);
  r.StatusBar = f.ReadBool(s, "StatusBar", d.StatusBar);
  r.StatusText = f.ReadBool(s, "StatusText", d.StatusText);
  r.Height = f.ReadInteger(s, "Height", d.Height);
  r.Top = f.ReadBool(s, "Top", d.Top);
  r.Start = f.ReadBool(s, "Start", d.Start);
  r.Show = f.ReadBool(s, "Show", d.Show);
  r.LastList = f.ReadString(s, "LastList", d.LastList);
  r.AutoEdit = f.ReadInteger(s, "AutoEdit", d.AutoEdit);
  r.NtpServer = f.ReadString(s, "NtpServer", d.NtpServer);
  r.NtpSound = f.ReadString(s, "NtpSound", d.NtpSound);
  r.LastTop = f.ReadBool(s, "LastTop", d.LastTop);
  r.LastMess = f.ReadBool(s, "LastMess", d.LastMess);
  r.LastSound = f.ReadBool(s, "LastSound", d.LastSound);
  r.LastExit = f.ReadBool(s, "LastExit", d.LastExit);
  return r;
}

void WriteSettings(core::ProfileFile& f, const Settings& v) {
  const char* s = SettingsSection;
  f.WriteInteger(s, "X", v.X);
  f.WriteInteger(s, "Y", v.Y);
  f.WriteInteger(s, "Width", v.Width);
  f.WriteInteger(s, "Height", v.Height);
  f.Remove(s, "MiniWidth");
  f.Remove(s, "MiniHeight");
  f.WriteBool(s, "Top", v.Top);
  f.WriteBool(s, "Start", v.Start);
  f.WriteBool(s, "Show", v.Show);
  f.WriteBool(s, "StatusBar", v.StatusBar);
  f.WriteBool(s, "StatusText", v.StatusText);
  f.WriteInteger(s, "AutoEdit", v.AutoEdit);
  f.Write(s, "NtpServer", v.NtpServer);
  f.Write(s, "NtpSound", v.NtpSound);
  f.Write(s, "LastList", v.LastList);
  f.WriteBool(s, "LastTop", v.LastTop);
  f.WriteBool(s, "LastMess", v.LastMess);
  f.WriteBool(s, "LastSound", v.LastSound);
  f.WriteBool(s, "LastExit", v.LastExit);
}

}  // namespace app
