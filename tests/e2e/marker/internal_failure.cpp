// Fails within itself as SetUp.exe could, with SetUp.exe's run-time
// pieces: an index out of range (argument "index") or abort() ("abort").

#include <cstdlib>
#include <string>
#include <vector>

#include "app/lean_runtime.h"

int main(int argc, char** argv) {
  app::EndAbortsAsInternalFailures();
  if (argc > 1 && std::string(argv[1]) == "abort") std::abort();
  const std::vector<int> none;
  return none.at(static_cast<std::size_t>(argc));
}
