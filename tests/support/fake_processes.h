#pragma once
// The process list as a test sets it; the snapshot can be made to fail.

#include <string>
#include <vector>

#include "platform/process_port.h"

class FakeProcesses : public ProcessPort {
 public:
  bool ImageNames(std::vector<std::string>* names) override;

  void SetImageNames(std::vector<std::string> names) { m_names = std::move(names); }
  void FailSnapshot(bool fail) { m_failSnapshot = fail; }
  int SnapshotCount() const { return m_snapshotCount; }

 private:
  std::vector<std::string> m_names;
  bool m_failSnapshot = false;
  int m_snapshotCount = 0;
};
