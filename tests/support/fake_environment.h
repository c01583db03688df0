#pragma once
// The process environment as a test arranges it. Variable names compare
// ignoring case, as Windows does. The module path and the current directory
// start unavailable, so the calls fail until a test sets them. The local date is 20261208 until
// a test sets another.

#include <map>
#include <string>

#include "platform/environment_port.h"

class FakeEnvironment : public platform::EnvironmentPort {
 public:
  bool GetVariable(const std::string& name, std::string* value) override;
  bool ModulePath(std::string* path) override;
  bool CurrentDirectory(std::string* path) override;
  std::string LocalDate() override { return m_localDate; }

  void SetVariable(const std::string& name, const std::string& value);
  void UnsetVariable(const std::string& name);
  void SetModulePath(const std::string& path);
  void UnsetModulePath();
  void SetCurrentDirectory(const std::string& path);
  void SetLocalDate(const std::string& date) { m_localDate = date; }

 private:
  std::map<std::string, std::string> m_variables;  // by upper-cased name
  bool m_hasModulePath = false;
  std::string m_modulePath;
  bool m_hasCurrentDirectory = false;
  std::string m_currentDirectory;
  std::string m_localDate = "20261208";
};
