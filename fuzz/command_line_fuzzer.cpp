// The command line of any bytes: parsed options compose back into arguments
// that parse to the same options.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string arguments(reinterpret_cast<const char*>(data), size);
  if (arguments.find('\0') != std::string::npos) return 0;
  base::CommandLine line;
  std::string problem;
  if (!base::ParseCommandLine(arguments, &line, &problem)) {
    if (problem.empty()) std::abort();
    return 0;
  }
  base::CommandLine again;
  if (!base::ParseCommandLine(base::ComposeCommandLine(line), &again, &problem)) std::abort();
  if (again.unattended != line.unattended || again.folder != line.folder ||
      again.allReleases != line.allReleases || again.releases != line.releases ||
      again.logFile != line.logFile) {
    std::abort();
  }
  return 0;
}
