#include "platform/logging_ports.h"

#include "base/text.h"
#include "base/utf8.h"
#include "platform/error_text.h"

namespace platform {

namespace {

std::string Failure(long error) { return "（" + ErrorText(error) + "）"; }

std::string Quoted(std::string text) {
  const std::size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  return "\"" + text + "\"";
}

// UTF-16 text as the log shows it, up to its first NUL: as UTF-8, a lone
// surrogate as U+FFFD.
std::string Shown(const std::u16string& text) {
  return Quoted(base::Utf16ToUtf8(text.substr(0, text.find(u'\0'))));
}

std::string ValueText(unsigned long type, const std::string& data) {
  if (type == kRegDword && data.size() == 4) {
    unsigned long number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(data[i]);
    return "DWORD " + std::to_string(number);
  }
  return Quoted(data);
}

}  // namespace

// ---- Files -----------------------------------------------------------------

bool LoggingFileSystem::CopyOver(const std::string& from, const std::string& to) {
  const bool copied = m_inner.CopyOver(from, to);
  if (!m_log.Attached()) return copied;
  const unsigned long error = copied ? 0 : m_inner.LastError();
  if (copied) {
    m_log.Line("复制文件：" + from + " -> " + to);
  } else if (error != kErrorFileNotFound) {
    m_log.Line("未复制文件：" + from + " -> " + to + Failure(static_cast<long>(error)));
  }
  return copied;
}

bool LoggingFileSystem::CreateDir(const std::string& path) {
  const bool created = m_inner.CreateDir(path);
  if (!m_log.Attached()) return created;
  const unsigned long error = created ? 0 : m_inner.LastError();
  if (created) {
    m_log.Line("创建文件夹：" + path);
  } else if (error != kErrorAlreadyExists) {
    m_log.Line("未能创建文件夹：" + path + Failure(static_cast<long>(error)));
  }
  return created;
}

int LoggingFileSystem::MakeDir(const std::string& path) {
  const int result = m_inner.MakeDir(path);
  if (result == 0) m_log.Line("创建文件夹：" + path);
  return result;
}

bool LoggingFileSystem::RemoveFile(const std::string& path) { return m_inner.RemoveFile(path); }

unsigned long LoggingFileSystem::GetAttributes(const std::string& path) {
  return m_inner.GetAttributes(path);
}

bool LoggingFileSystem::SetAttributes(const std::string& path, unsigned long attributes) {
  return m_inner.SetAttributes(path, attributes);
}

bool LoggingFileSystem::Exists(const std::string& path) { return m_inner.Exists(path); }

std::unique_ptr<FileListing> LoggingFileSystem::List(const std::string& pattern) {
  return m_inner.List(pattern);
}

unsigned long LoggingFileSystem::LastError() { return m_inner.LastError(); }

unsigned long LoggingFileSystem::ProbeWrite(const std::string& folder) {
  return m_inner.ProbeWrite(folder);
}

bool LoggingFileSystem::Logged(bool succeeded, const std::string& done, const std::string& failed) {
  if (m_log.Attached()) {
    m_log.Line(succeeded ? done : failed + Failure(static_cast<long>(m_inner.LastError())));
  }
  return succeeded;
}

bool LoggingFileSystem::RemoveDir(const std::string& path) {
  return Logged(m_inner.RemoveDir(path), "删除文件夹：" + path, "未能删除文件夹：" + path);
}

bool LoggingFileSystem::MoveOver(const std::string& from, const std::string& to) {
  const std::string move = from + " -> " + to;
  return Logged(m_inner.MoveOver(from, to), "移动文件：" + move, "未移动文件：" + move);
}

unsigned long LoggingFileSystem::ReadText(const std::string& path, std::size_t capacity,
                                          std::string* text) {
  const unsigned long error = m_inner.ReadText(path, capacity, text);
  if (error != 0 && error != kErrorFileNotFound) {
    m_log.Line("未能读取文件：" + path + Failure(static_cast<long>(error)));
  }
  return error;
}

unsigned long LoggingFileSystem::AppendText(const std::string& path, const std::string& text) {
  const unsigned long error = m_inner.AppendText(path, text);
  if (error != 0) m_log.Line("未能写入文件：" + path + Failure(static_cast<long>(error)));
  return error;
}

// ---- Registry --------------------------------------------------------------

std::string LoggingRegistry::NameOf(RegKey key, const std::string& path) const {
  std::string name = key == kHKeyLocalMachine     ? "HKEY_LOCAL_MACHINE"
                     : key == kHKeyLocalMachine32 ? "HKEY_LOCAL_MACHINE(32)"
                     : key == kHKeyLocalMachine64 ? "HKEY_LOCAL_MACHINE(64)"
                     : key == kHKeyCurrentUser    ? "HKEY_CURRENT_USER"
                     : key == kHKeyUsers          ? "HKEY_USERS"
                                                  : "?";
  const auto known = m_names.find(key);
  if (known != m_names.end()) name = known->second;
  if (path.empty()) return name;
  base::DropTrailingBackslash(&name);  // a key opened as "...\\" names no extra level
  return name + "\\" + path;
}

long LoggingRegistry::Remember(long result, RegKey parent, const std::string& path, RegKey* key) {
  if (result == kErrorSuccess && m_log.Attached()) m_names[*key] = NameOf(parent, path);
  return result;
}

long LoggingRegistry::OpenKey(RegKey parent, const std::string& path, RegKey* key) {
  return Remember(m_inner.OpenKey(parent, path, key), parent, path, key);
}

long LoggingRegistry::OpenKeyForRead(RegKey parent, const std::string& path, RegKey* key) {
  return Remember(m_inner.OpenKeyForRead(parent, path, key), parent, path, key);
}

long LoggingRegistry::ProbeWrite(RegKey parent, const std::string& path) {
  return m_inner.ProbeWrite(parent, path);
}

long LoggingRegistry::CreateKey(RegKey parent, const std::string& path, RegKey* key) {
  const long result = m_inner.CreateKey(parent, path, key);
  if (m_log.Attached()) {
    m_log.Line(result == kErrorSuccess
                   ? "打开或创建注册表项：" + NameOf(parent, path)
                   : "未能创建注册表项：" + NameOf(parent, path) + Failure(result));
  }
  return Remember(result, parent, path, key);
}

long LoggingRegistry::CountSubKeys(RegKey key, unsigned long* count) {
  return m_inner.CountSubKeys(key, count);
}

long LoggingRegistry::EnumSubKey(RegKey key, unsigned long index, std::size_t capacity,
                                 std::string* name) {
  return m_inner.EnumSubKey(key, index, capacity, name);
}

long LoggingRegistry::QueryValue(RegKey key, const std::string& name, std::size_t capacity,
                                 std::string* data, unsigned long* type) {
  return m_inner.QueryValue(key, name, capacity, data, type);
}

long LoggingRegistry::SetValue(RegKey key, const std::string& name, unsigned long type,
                               const std::string& data) {
  const long result = m_inner.SetValue(key, name, type, data);
  if (m_log.Attached()) {
    const std::string target = NameOf(key) + "\\" + name;
    m_log.Line(result == kErrorSuccess ? "写入注册表值：" + target + " = " + ValueText(type, data)
                                       : "未能写入注册表值：" + target + Failure(result));
  }
  return result;
}

long LoggingRegistry::QueryWideValue(RegKey key, const std::string& name, std::size_t capacity,
                                     std::u16string* data, unsigned long* type) {
  return m_inner.QueryWideValue(key, name, capacity, data, type);
}

long LoggingRegistry::SetWideValue(RegKey key, const std::string& name, unsigned long type,
                                   const std::u16string& data) {
  if (!m_log.Attached()) return m_inner.SetWideValue(key, name, type, data);
  constexpr std::size_t kShownCapacity = 13000;
  std::u16string before;
  unsigned long beforeType = 0;
  if (m_inner.QueryWideValue(key, name, kShownCapacity, &before, &beforeType) != kErrorSuccess) {
    before.clear();
  }
  const long result = m_inner.SetWideValue(key, name, type, data);
  const std::string target = NameOf(key) + "\\" + name;
  m_log.Line(result == kErrorSuccess ? "写入注册表值：" + target + " = " + Shown(data) + "（原为 " +
                                           Shown(before) + "）"
                                     : "未能写入注册表值：" + target + Failure(result));
  return result;
}

long LoggingRegistry::DeleteKey(RegKey parent, const std::string& path) {
  const long result = m_inner.DeleteKey(parent, path);
  if (result == kErrorSuccess) m_log.Line("删除注册表项：" + NameOf(parent, path));
  return result;
}

long LoggingRegistry::CloseKey(RegKey key) {
  m_names.erase(key);
  return m_inner.CloseKey(key);
}

long LoggingRegistry::LoadHive(const std::string& name, const std::string& file) {
  const long result = m_inner.LoadHive(name, file);
  const std::string hive = NameOf(kHKeyUsers, name) + "（" + file + "）";
  m_log.Line(result == kErrorSuccess ? "加载用户注册表：" + hive
                                     : "未能加载用户注册表：" + hive + Failure(result));
  return result;
}

long LoggingRegistry::UnloadHive(const std::string& name) {
  const long result = m_inner.UnloadHive(name);
  const std::string hive = NameOf(kHKeyUsers, name);
  m_log.Line(result == kErrorSuccess ? "卸载用户注册表：" + hive
                                     : "未能卸载用户注册表：" + hive + Failure(result));
  return result;
}

// ---- Messages ----------------------------------------------------------------

int LoggingPrompt::Show(const std::string& text, const std::string& caption, unsigned style) {
  const int answer = m_inner.Show(text, caption, style);
  std::string oneLine = text;
  for (char& c : oneLine) c = c == '\n' ? ' ' : c;
  m_log.Line("消息：" + oneLine + " -> " + std::to_string(answer));
  return answer;
}

}  // namespace platform
