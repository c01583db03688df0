// Run-time pieces of the statically linked C++ library, replaced for the
// shipped program only: the program catches no exception, so a failure that
// would throw (a string too long for memory, an index out of range) ends it
// at once, as the uncaught exception would, without the exception classes,
// their second string implementation and the name demangler of the verbose
// terminate handler, which together are a third of the executable. It ends
// with the exit code of an internal failure: the C library's abort() would
// end it with 3, which says "no payload".

#include "app/lean_runtime.h"

#include <windows.h>
#include <bits/functexcept.h>

#include <csignal>

#include "ui/setup/unattended.h"

namespace {

[[noreturn]] void EndWithInternalFailure() {
  // At once, as abort() would: nothing more of the program runs.
  for (;;) TerminateProcess(GetCurrentProcess(), ui::kExitInternalFailure);
}

}  // namespace

namespace app {

void EndAbortsAsInternalFailures() {
  std::signal(SIGABRT, [](int) { EndWithInternalFailure(); });
}

}  // namespace app

namespace __gnu_cxx {
void __verbose_terminate_handler() { EndWithInternalFailure(); }
}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() { EndWithInternalFailure(); }
void __throw_bad_array_new_length() { EndWithInternalFailure(); }
void __throw_logic_error(const char*) { EndWithInternalFailure(); }
void __throw_invalid_argument(const char*) { EndWithInternalFailure(); }
void __throw_length_error(const char*) { EndWithInternalFailure(); }
void __throw_out_of_range(const char*) { EndWithInternalFailure(); }
void __throw_out_of_range_fmt(const char*, ...) { EndWithInternalFailure(); }

}  // namespace std
