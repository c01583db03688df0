#pragma once
// Ports that pass every call on and, while a log is attached, write down
// what the install changes: folders created and removed, files copied or
// moved or not (a file the payload does not hold is not listed), registry
// keys created and deleted, values set (TRUSTEDPATHS with its text before and
// after), messages and their answers, and every failure with its error code.
// Text read and appended is not written down, only a failure to do it (a file
// not there to read is none), user hives loaded and unloaded. The view roots
// are named HKEY_LOCAL_MACHINE(32) and HKEY_LOCAL_MACHINE(64).

#include <map>
#include <memory>
#include <string>

#include "platform/file_system_port.h"
#include "platform/log_sink.h"
#include "platform/prompt_port.h"
#include "platform/registry_port.h"

namespace platform {

// The log the decorators write to; none at first.
class LogTarget {
 public:
  void Attach(LogSink* sink) { m_sink = sink; }
  bool Attached() const { return m_sink != nullptr; }
  void Line(const std::string& text) const {
    if (m_sink) m_sink->Line(text);
  }

 private:
  LogSink* m_sink = nullptr;
};

class LoggingFileSystem : public FileSystemPort {
 public:
  LoggingFileSystem(FileSystemPort& inner, const LogTarget& log) : m_inner(inner), m_log(log) {}

  bool CopyOver(const std::string& from, const std::string& to) override;
  bool CreateDir(const std::string& path) override;
  int MakeDir(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  unsigned long GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, unsigned long attributes) override;
  bool Exists(const std::string& path) override;
  std::unique_ptr<FileListing> List(const std::string& pattern) override;
  unsigned long LastError() override;
  unsigned long ProbeWrite(const std::string& folder) override;
  bool RemoveDir(const std::string& path) override;
  bool MoveOver(const std::string& from, const std::string& to) override;
  unsigned long ReadText(const std::string& path, std::size_t capacity, std::string* text) override;
  unsigned long AppendText(const std::string& path, const std::string& text) override;

 private:
  // Writes down `done`, or `failed` with the error; returns `succeeded`.
  bool Logged(bool succeeded, const std::string& done, const std::string& failed);

  FileSystemPort& m_inner;
  const LogTarget& m_log;
};

class LoggingRegistry : public RegistryPort {
 public:
  LoggingRegistry(RegistryPort& inner, const LogTarget& log) : m_inner(inner), m_log(log) {}

  long OpenKey(RegKey parent, const std::string& path, RegKey* key) override;
  long OpenKeyForRead(RegKey parent, const std::string& path, RegKey* key) override;
  long ProbeWrite(RegKey parent, const std::string& path) override;
  long CreateKey(RegKey parent, const std::string& path, RegKey* key) override;
  long CountSubKeys(RegKey key, unsigned long* count) override;
  long EnumSubKey(RegKey key, unsigned long index, std::size_t capacity,
                  std::string* name) override;
  long QueryValue(RegKey key, const std::string& name, std::size_t capacity, std::string* data,
                  unsigned long* type) override;
  long SetValue(RegKey key, const std::string& name, unsigned long type,
                const std::string& data) override;
  long QueryWideValue(RegKey key, const std::string& name, std::size_t capacity,
                      std::u16string* data, unsigned long* type) override;
  long SetWideValue(RegKey key, const std::string& name, unsigned long type,
                    const std::u16string& data) override;
  long DeleteKey(RegKey parent, const std::string& path) override;
  long CloseKey(RegKey key) override;
  long LoadHive(const std::string& name, const std::string& file) override;
  long UnloadHive(const std::string& name) override;

 private:
  // The full name of an open key, or of a path below it.
  std::string NameOf(RegKey key, const std::string& path = "") const;
  // Keeps the name of a key just opened, while a log is attached.
  long Remember(long result, RegKey parent, const std::string& path, RegKey* key);

  RegistryPort& m_inner;
  const LogTarget& m_log;
  std::map<RegKey, std::string> m_names;
};

class LoggingPrompt : public PromptPort {
 public:
  LoggingPrompt(PromptPort& inner, const LogTarget& log) : m_inner(inner), m_log(log) {}
  int Show(const std::string& text, const std::string& caption, unsigned style) override;

 private:
  PromptPort& m_inner;
  const LogTarget& m_log;
};

}  // namespace platform
