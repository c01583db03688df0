// The file-system contract against Win32FileSystem, in a scratch folder of
// its own below the temporary folder.

#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "contract/file_system_contract.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "win32/running_under_wine.h"

using win32::Utf8;
using win32::Wide;

namespace {

// Deletes a folder with everything in it, read-only files included.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

bool RunByRoot() {
  wchar_t user[64];
  const DWORD length = GetEnvironmentVariableW(L"USERNAME", user, 64);
  return length > 0 && length < 64 && std::wstring(user) == L"root";
}

class Win32FileSystemUnderTest : public FileSystemUnderTest {
 public:
  Win32FileSystemUnderTest() {
    static unsigned serial = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_TRUE(length > 0 && length < MAX_PATH + 1);
    m_scratch = Utf8(std::wstring(temp, length)) + "fs-contract-" +
                std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    EXPECT_TRUE(CreateDirectoryW(Wide(m_scratch).c_str(), nullptr)) << m_scratch;
  }
  ~Win32FileSystemUnderTest() override {
    for (const auto& held : m_locks) CloseHandle(held.second);
    for (const PROCESS_INFORMATION& started : m_programs) {
      TerminateProcess(started.hProcess, 0);
      WaitForSingleObject(started.hProcess, INFINITE);
      CloseHandle(started.hThread);
      CloseHandle(started.hProcess);
    }
    RemoveTree(Wide(m_scratch));
  }

  platform::FileSystemPort& Port() override { return m_files; }
  std::string Scratch() const override { return m_scratch; }

  void WriteFile(const std::string& path, const std::string& contents) override {
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, contents.data(), contents.size(), &written, nullptr));
    CloseHandle(file);
  }

  std::string ReadFile(const std::string& path) override {
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      ADD_FAILURE() << "cannot read " << path;
      return "";
    }
    std::string contents;
    char chunk[512];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
      contents.append(chunk, got);
    }
    CloseHandle(file);
    return contents;
  }

  void AddStream(const std::string& file, const std::string& stream) override {
    WriteFile(file + ":" + stream, "[ZoneTransfer]\r\nZoneId=3\r\n");
  }
  bool HasStream(const std::string& file, const std::string& stream) override {
    return GetFileAttributesW(Wide(file + ":" + stream).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void Lock(const std::string& path) override {
    const HANDLE file =
        CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    m_locks[path] = file;
  }
  void Unlock(const std::string& path) override {
    CloseHandle(m_locks[path]);
    m_locks.erase(path);
  }

  // A copy of this test program, started suspended: its image is mapped.
  void StartProgram(const std::string& path) override {
    wchar_t self[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    ASSERT_TRUE(length > 0 && length < MAX_PATH + 1);
    ASSERT_TRUE(CopyFileW(self, Wide(path).c_str(), FALSE)) << path;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    std::wstring commandLine = Wide("\"" + path + "\"");
    ASSERT_TRUE(CreateProcessW(Wide(path).c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                               CREATE_SUSPENDED, nullptr, nullptr, &startup, &started))
        << path;
    m_programs.push_back(started);
  }
  std::string OtherVolume() const override { return ""; }

  std::string WhyWithout(FsBehaviour behaviour) const override {
    if (!RunningUnderWine()) return "";
    switch (behaviour) {
      case FsBehaviour::kReadOnlyDestinationRefused:
        return RunByRoot() ? "Wine run by root lets a read-only file be replaced and written" : "";
      case FsBehaviour::kHiddenDestinationRefused:
        return "Wine lets CopyFile replace a hidden file";
      case FsBehaviour::kAttributesReplaced:
        return "Wine keeps the attributes of a file that CopyFile replaces";
      case FsBehaviour::kBusyDestinationRefused:
        return "Wine lets CopyFile replace a file held open without sharing";
      case FsBehaviour::kStreams:
        return "Wine has no alternate data streams";
      case FsBehaviour::kFolderReplacesNoFile:
        return "Wine lets MoveFileEx replace a file with a folder";
    }
    return "";
  }

 private:
  win32::Win32FileSystem m_files;
  std::string m_scratch;
  std::map<std::string, HANDLE> m_locks;
  std::vector<PROCESS_INFORMATION> m_programs;
};

}  // namespace

std::unique_ptr<FileSystemUnderTest> MakeFileSystemUnderTest() {
  return std::make_unique<Win32FileSystemUnderTest>();
}
