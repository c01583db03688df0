#include "support/fake_processes.h"

bool FakeProcesses::ImageNames(std::vector<std::string>* names) {
  ++m_snapshotCount;
  if (m_faults.Check("ImageNames", {}) != 0) return false;
  *names = m_names;
  return true;
}
