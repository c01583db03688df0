#include "support/fake_environment.h"

#include "base/text.h"

using base::ToUpperAscii;

namespace {

bool Give(bool available, const std::string& text, std::string* out) {
  if (available) *out = text;
  return available;
}

}  // namespace

bool FakeEnvironment::GetVariable(const std::string& name, std::string* value) {
  const auto found = m_variables.find(ToUpperAscii(name));
  return Give(found != m_variables.end(), found == m_variables.end() ? "" : found->second, value);
}

bool FakeEnvironment::ModulePath(std::string* path) {
  return Give(m_hasModulePath, m_modulePath, path);
}

bool FakeEnvironment::CurrentDirectory(std::string* path) {
  return Give(m_hasCurrentDirectory, m_currentDirectory, path);
}

void FakeEnvironment::SetVariable(const std::string& name, const std::string& value) {
  m_variables[ToUpperAscii(name)] = value;
}

void FakeEnvironment::UnsetVariable(const std::string& name) {
  m_variables.erase(ToUpperAscii(name));
}

void FakeEnvironment::SetModulePath(const std::string& path) {
  m_hasModulePath = true;
  m_modulePath = path;
}

void FakeEnvironment::UnsetModulePath() { m_hasModulePath = false; }

void FakeEnvironment::SetCurrentDirectory(const std::string& path) {
  m_hasCurrentDirectory = true;
  m_currentDirectory = path;
}
