#pragma once
// The process list as a test sets it; the snapshot fails as a FaultPlan says.

#include <string>
#include <vector>

#include "platform/process_port.h"
#include "support/fault_plan.h"

class FakeProcesses : public ProcessPort {
 public:
  bool ImageNames(std::vector<std::string>* names) override;

  void SetImageNames(std::vector<std::string> names) { m_names = std::move(names); }
  void Fail(Fault fault) { m_faults.Add(std::move(fault)); }
  int SnapshotCount() const { return m_snapshotCount; }

 private:
  std::vector<std::string> m_names;
  FaultPlan m_faults{{"ImageNames"}};
  int m_snapshotCount = 0;
};
