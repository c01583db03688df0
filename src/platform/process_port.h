#pragma once
// The running processes, as the tool-help snapshot lists them.

#include <string>
#include <vector>

class ProcessPort {
 public:
  virtual ~ProcessPort() = default;
  // Image file names (without folder) in snapshot order; false when no
  // snapshot could be taken.
  virtual bool ImageNames(std::vector<std::string>* names) = 0;
};
