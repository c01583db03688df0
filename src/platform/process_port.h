#pragma once
// The running processes, as the tool-help snapshot lists them.

#include <string>
#include <vector>

namespace platform {

class ProcessPort {
 public:
  virtual ~ProcessPort() = default;
  // Image file names (without folder) in snapshot order; false when no
  // snapshot could be taken.
  virtual bool ImageNames(std::vector<std::string>* names) = 0;
  // Whether the process runs with a full (elevated) token; true where
  // Windows knows no elevation.
  virtual bool IsElevated() = 0;
  // Starts this program again as administrator ("runas") with `arguments`
  // and waits until it has ended, keeping this process's windows painted;
  // `exitCode` is then its exit code. 0 when it ran, otherwise why it did
  // not start (1223 when the user said no).
  virtual long RestartElevated(const std::string& arguments, unsigned long* exitCode) = 0;
  // Whether the process runs as the local system account (S-1-5-18), as a
  // deployment tool starts it.
  virtual bool IsSystemAccount() = 0;
  // Enables the restore and backup privileges in the process's token, which
  // loading another user's hive needs: 0, or why not (1300,
  // ERROR_NOT_ALL_ASSIGNED, when the account does not hold them).
  virtual long EnableHivePrivileges() = 0;
};

}  // namespace platform
