#include "support/fake_processes.h"

bool FakeProcesses::ImageNames(std::vector<std::string>* names) {
  ++m_snapshotCount;
  if (m_faults.Check("ImageNames", {}) != 0) return false;
  *names = m_names;
  return true;
}

long FakeProcesses::RestartElevated(const std::string& arguments) {
  m_restarts.push_back(arguments);
  return m_faults.Check("RestartElevated", {});
}
