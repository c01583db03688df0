#include "support/fake_processes.h"

bool FakeProcesses::ImageNames(std::vector<std::string>* names) {
  ++m_snapshotCount;
  if (m_faults.Check("ImageNames", {}) != 0) return false;
  *names = m_names;
  return true;
}

long FakeProcesses::RestartElevated(const std::string& arguments, unsigned long* exitCode) {
  m_restarts.push_back(arguments);
  const long error = m_faults.Check("RestartElevated", {});
  if (error == 0) *exitCode = m_restarted ? static_cast<unsigned long>(m_restarted(arguments)) : 0;
  return error;
}

long FakeProcesses::EnableHivePrivileges() {
  const long error = m_faults.Check("EnableHivePrivileges", {});
  return error != 0 ? error : m_hivePrivilegesResult;
}
