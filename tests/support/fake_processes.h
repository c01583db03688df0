#pragma once
// The process list as a test sets it; the snapshot fails as a FaultPlan says.

#include <functional>
#include <string>
#include <vector>

#include "platform/process_port.h"
#include "support/fault_plan.h"

class FakeProcesses : public platform::ProcessPort {
 public:
  bool ImageNames(std::vector<std::string>* names) override;
  bool IsElevated() override { return m_elevated; }
  // Records the arguments; the result a "RestartElevated" fault gives, or 0
  // after running the restarted program a test set (exit code 0 without one).
  long RestartElevated(const std::string& arguments, unsigned long* exitCode) override;

  void SetElevated(bool elevated) { m_elevated = elevated; }
  // What the restarted copy does with its arguments; its exit code.
  void SetRestartedProgram(std::function<int(const std::string&)> program) {
    m_restarted = std::move(program);
  }
  const std::vector<std::string>& Restarts() const { return m_restarts; }

  void SetImageNames(std::vector<std::string> names) { m_names = std::move(names); }
  void Fail(Fault fault) { m_faults.Add(std::move(fault)); }
  int SnapshotCount() const { return m_snapshotCount; }

 private:
  std::vector<std::string> m_names;
  FaultPlan m_faults{{"ImageNames", "RestartElevated"}};
  bool m_elevated = true;
  std::vector<std::string> m_restarts;
  std::function<int(const std::string&)> m_restarted;
  int m_snapshotCount = 0;
};
