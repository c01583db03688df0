// The file-system contract against Win32FileSystem, in a scratch folder of
// its own below the temporary folder.

#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "contract/file_system_contract.h"
#include "platform/win32/win32_file_system.h"
#include "win32/running_under_wine.h"

namespace {

// Deletes a folder with everything in it, read-only files included.
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

bool RunByRoot() {
  char user[64];
  const DWORD length = GetEnvironmentVariableA("USERNAME", user, sizeof(user));
  return length > 0 && length < sizeof(user) && std::string(user) == "root";
}

class Win32FileSystemUnderTest : public FileSystemUnderTest {
 public:
  Win32FileSystemUnderTest() {
    static unsigned serial = 0;
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof(temp), temp);
    EXPECT_TRUE(length > 0 && length < sizeof(temp));
    m_scratch = std::string(temp) + "fs-contract-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++serial);
    EXPECT_TRUE(CreateDirectoryA(m_scratch.c_str(), nullptr)) << m_scratch;
  }
  ~Win32FileSystemUnderTest() override {
    for (const auto& held : m_locks) CloseHandle(held.second);
    for (const PROCESS_INFORMATION& started : m_programs) {
      TerminateProcess(started.hProcess, 0);
      WaitForSingleObject(started.hProcess, INFINITE);
      CloseHandle(started.hThread);
      CloseHandle(started.hProcess);
    }
    RemoveTree(m_scratch);
  }

  platform::FileSystemPort& Port() override { return m_files; }
  std::string Scratch() const override { return m_scratch; }

  void WriteFile(const std::string& path, const std::string& contents) override {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, contents.data(), contents.size(), &written, nullptr));
    CloseHandle(file);
  }

  std::string ReadFile(const std::string& path) override {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
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
    return GetFileAttributesA((file + ":" + stream).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void Lock(const std::string& path) override {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    m_locks[path] = file;
  }
  void Unlock(const std::string& path) override {
    CloseHandle(m_locks[path]);
    m_locks.erase(path);
  }

  // A copy of this test program, started suspended: its image is mapped.
  void StartProgram(const std::string& path) override {
    char self[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof(self));
    ASSERT_TRUE(length > 0 && length < sizeof(self));
    ASSERT_TRUE(CopyFileA(self, path.c_str(), FALSE)) << path;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    std::string commandLine = "\"" + path + "\"";
    ASSERT_TRUE(CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
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
