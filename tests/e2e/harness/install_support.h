#pragma once
// Around the program under test: registry values and files read back as
// stored, the user's settings file kept aside, a stand-in process of a given
// image name, and a file locked against every other opener.

#include <windows.h>

#include <optional>
#include <ostream>
#include <set>
#include <string>

// A registry value as stored: type and raw data (text as UTF-16, as the
// wide calls give it); REG_NONE and no data when absent.
struct StoredValue {
  DWORD type = REG_NONE;
  std::string data;
  bool operator==(const StoredValue& other) const {
    return type == other.type && data == other.data;
  }
};
StoredValue ReadStoredValue(HKEY root, const std::string& key, const std::string& name);
// A REG_SZ value holding `text` as UTF-16 with its terminating NUL.
StoredValue SzValue(const std::string& text);
// The text of a REG_SZ value up to its first NUL; empty for any other.
std::string StoredText(const StoredValue& value);
// Sets a REG_SZ value of an existing key; false on failure.
bool WriteStringValue(HKEY root, const std::string& key, const std::string& name,
                      const std::string& text);
StoredValue DwordValue(DWORD number);
void PrintTo(const StoredValue& value, std::ostream* out);

bool PathExists(const std::string& path);
// The names in a folder, "." and ".." left out; empty when it cannot be listed.
std::set<std::string> FolderEntries(const std::string& folder);
// ASCII letters upper-cased, other bytes left as they are.
std::string UpperAscii(std::string text);

constexpr char kSettingsFileName[] = "Brenix.Ini";

// %APPDATA%\Brenix\Brenix.Ini of this user (SetUp.exe runs as the same user
// in the same prefix): an existing file is moved aside for the test and put
// back afterwards; a file or folder the test caused is removed.
class SettingsFileGuard {
 public:
  SettingsFileGuard();
  ~SettingsFileGuard();
  SettingsFileGuard(const SettingsFileGuard&) = delete;
  SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;

  // Empty when APPDATA is not set.
  const std::string& path() const { return m_path; }

 private:
  std::string m_folder;
  std::string m_path;
  bool m_folderExisted = false;
  std::optional<std::string> m_saved;
};

// A copy of this test program at `imagePath`, started idling so that a
// process of that image name runs; ended at destruction.
class StandInProcess {
 public:
  explicit StandInProcess(const std::string& imagePath);
  ~StandInProcess();
  StandInProcess(const StandInProcess&) = delete;
  StandInProcess& operator=(const StandInProcess&) = delete;

  // True once the process list shows the stand-in's image name.
  bool listed() const;

 private:
  std::string m_imageName;
  PROCESS_INFORMATION m_process{};
};

// A file held open without sharing, so that nobody else can open it.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(const std::string& path);
  ~ExclusiveLock() { Release(); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

  bool held() const { return m_file != INVALID_HANDLE_VALUE; }
  void Release();

 private:
  HANDLE m_file;
};
