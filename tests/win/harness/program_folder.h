#pragma once
// A fresh program folder per test: a new directory under the temp root that holds a copy of
// Tavrin.exe and whatever list files the test writes. File names are CP932 texts, contents raw
// bytes, exactly as the program sees them.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace harness {

// The directory of the running test executable (no trailing backslash).
std::wstring TestExeDirectory();
// Tavrin.exe as built beside the test executables.
std::wstring BuiltProgramPath();

// Recursively removes a file or directory, clearing read-only attributes first. True when gone.
bool RemoveTree(const std::wstring& path);

class ProgramFolder {
 public:
  // Creates an empty directory under %TEMP%\tavrin-tests. Throws std::runtime_error on failure.
  ProgramFolder();
  // Removes the directory and all it holds (set TAVRIN_KEEP_TEST_FOLDERS=1 to keep it).
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  // Copies Tavrin.exe from beside the test executable into the folder. False when it is missing.
  bool AddProgram() const;
  const std::wstring& Path() const { return Dir; }
  std::wstring ProgramPath() const;                  // <folder>\Tavrin.exe
  std::wstring PathOf(std::string_view name) const;  // <folder>\<name>

  // Files, by CP932 name relative to the folder. Writers throw std::runtime_error on failure.
  void WriteFile(std::string_view name, std::string_view bytes) const;
  std::optional<std::string> ReadFile(std::string_view name) const;  // nullopt: cannot be read
  bool Exists(std::string_view name) const;
  void MakeDirectory(std::string_view name) const;
  bool Remove(std::string_view name) const;
  // Last-write time in FILETIME units (100 ns since 1601); nullopt when the file is missing.
  std::optional<ULONGLONG> ModifiedTime(std::string_view name) const;
  void SetModifiedTime(std::string_view name, ULONGLONG fileTime) const;
  // Names of every entry of the folder (files and directories, hidden ones too), sorted bytewise.
  std::vector<std::string> List() const;

 private:
  std::wstring Dir;
};

// FILETIME units for a calendar date (UTC), e.g. to make a file look old before a scenario.
ULONGLONG FileTimeOf(int year, int month, int day);

// Raw file access by full path, shared with the settings-file helpers.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace harness
