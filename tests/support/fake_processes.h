#pragma once
// The process list, the account and the token as a test sets them; the
// snapshot, the restart and enabling privileges fail as a FaultPlan says.

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

  bool IsSystemAccount() override { return m_systemAccount; }
  // The result a test set, unless an "EnableHivePrivileges" fault says
  // otherwise.
  long EnableHivePrivileges() override;

  void SetElevated(bool elevated) { m_elevated = elevated; }
  void SetSystemAccount(bool system) { m_systemAccount = system; }
  void SetHivePrivilegesResult(long result) { m_hivePrivilegesResult = result; }
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
  FaultPlan m_faults{{"ImageNames", "RestartElevated", "EnableHivePrivileges"}};
  bool m_elevated = true;
  bool m_systemAccount = false;
  long m_hivePrivilegesResult = 0;
  std::vector<std::string> m_restarts;
  std::function<int(const std::string&)> m_restarted;
  int m_snapshotCount = 0;
};
