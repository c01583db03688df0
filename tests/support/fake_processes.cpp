#include "support/fake_processes.h"

bool FakeProcesses::ImageNames(std::vector<std::string>* names) {
  ++m_snapshotCount;
  if (m_failSnapshot) return false;
  *names = m_names;
  return true;
}
