#include "harness/program_folder.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "harness/wide_text.h"

namespace harness {
namespace {

std::wstring LastErrorText() { return L" (error " + std::to_wstring(GetLastError()) + L")"; }

[[noreturn]] void Fail(const std::wstring& what) { throw std::runtime_error(Utf8(what)); }

std::wstring TempRoot() {
  wchar_t buf[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  std::wstring root = (n == 0 || n > MAX_PATH) ? L"C:\\windows\\temp\\" : std::wstring(buf, n);
  if (root.back() != L'\\') root += L'\\';
  root += L"tavrin-tests";
  CreateDirectoryW(root.c_str(), nullptr);
  return root;
}

}  // namespace

std::wstring TestExeDirectory() {
  wchar_t buf[32768];
  DWORD n = GetModuleFileNameW(nullptr, buf, 32768);
  std::wstring path(buf, n);
  return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring BuiltProgramPath() { return TestExeDirectory() + L"\\Tavrin.exe"; }

bool RemoveTree(const std::wstring& path) {
  DWORD attrs = GetFileAttributesW(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return true;
  if (attrs & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
  if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) != 0;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  return RemoveDirectoryW(path.c_str()) != 0;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr) != 0) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return bytes;
}

void WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) Fail(L"cannot create " + path + LastErrorText());
  DWORD written = 0;
  BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  if (!ok || written != bytes.size()) Fail(L"cannot write " + path + LastErrorText());
}

ProgramFolder::ProgramFolder() {
  static std::atomic<int> counter{0};
  std::wstring root = TempRoot();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::wstring dir = root + L"\\p" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(++counter);
    if (CreateDirectoryW(dir.c_str(), nullptr)) {
      Dir = dir;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  Fail(L"cannot create a program folder under " + root + LastErrorText());
}

ProgramFolder::~ProgramFolder() {
  wchar_t keep[8];
  if (GetEnvironmentVariableW(L"TAVRIN_KEEP_TEST_FOLDERS", keep, 8) && keep[0] == L'1') return;
  // The program may still be letting go of its files for a moment after it ended.
  for (int attempt = 0; attempt < 50 && !RemoveTree(Dir); ++attempt) Sleep(100);
}

bool ProgramFolder::AddProgram() const {
  return CopyFileW(BuiltProgramPath().c_str(), ProgramPath().c_str(), FALSE) != 0;
}

std::wstring ProgramFolder::ProgramPath() const { return Dir + L"\\Tavrin.exe"; }

std::wstring ProgramFolder::PathOf(std::string_view name) const { return Dir + L"\\" + Wide(name); }

void ProgramFolder::WriteFile(std::string_view name, std::string_view bytes) const {
  WriteWholeFile(PathOf(name), bytes);
}

std::optional<std::string> ProgramFolder::ReadFile(std::string_view name) const {
  return ReadWholeFile(PathOf(name));
}

bool ProgramFolder::Exists(std::string_view name) const {
  return GetFileAttributesW(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ProgramFolder::MakeDirectory(std::string_view name) const {
  if (!CreateDirectoryW(PathOf(name).c_str(), nullptr)) Fail(L"cannot create " + PathOf(name) + LastErrorText());
}

bool ProgramFolder::Remove(std::string_view name) const { return RemoveTree(PathOf(name)); }

std::optional<ULONGLONG> ProgramFolder::ModifiedTime(std::string_view name) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(PathOf(name).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

void ProgramFolder::SetModifiedTime(std::string_view name, ULONGLONG fileTime) const {
  HANDLE h = CreateFileW(PathOf(name).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) Fail(L"cannot open " + PathOf(name) + LastErrorText());
  FILETIME ft{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  BOOL ok = SetFileTime(h, nullptr, nullptr, &ft);
  CloseHandle(h);
  if (!ok) Fail(L"cannot set the time of " + PathOf(name) + LastErrorText());
}

std::vector<std::string> ProgramFolder::List() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((Dir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") names.push_back(Cp932(name));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

ULONGLONG FileTimeOf(int year, int month, int day) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  FILETIME ft{};
  SystemTimeToFileTime(&st, &ft);
  return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

}  // namespace harness
