#include "support/fault_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text.h"

using base::EqualsIgnoreCase;

void FaultPlan::Add(Fault fault) {
  if (fault.call != "*" && std::find(m_calls.begin(), m_calls.end(), fault.call) == m_calls.end()) {
    ADD_FAILURE() << "no call named " << fault.call << " to make fail";
    return;
  }
  m_armed.push_back({std::move(fault), 0, false});
}

long FaultPlan::Check(const std::string& call, std::initializer_list<std::string> subjects,
                      const std::string& value) {
  long error = 0;
  for (ArmedFault& armed : m_armed) {
    const Fault& fault = armed.fault;
    const bool matches =
        !armed.spent && (fault.call == call || fault.call == "*") &&
        (fault.subject.empty() ||
         std::any_of(subjects.begin(), subjects.end(),
                     [&](const std::string& s) { return EqualsIgnoreCase(s, fault.subject); })) &&
        (fault.value.empty() || EqualsIgnoreCase(fault.value, value));
    if (!matches || ++armed.seen < fault.nth) continue;
    armed.spent = fault.once;
    if (error == 0) error = fault.error;
  }
  return error;
}
