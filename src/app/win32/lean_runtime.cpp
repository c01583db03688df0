// Run-time pieces of the statically linked C++ library, replaced for the
// shipped program only: the program catches no exception, so a failure that
// would throw (a string too long for memory, an index out of range) ends it
// at once, as the uncaught exception would, without the exception classes,
// their second string implementation and the name demangler of the verbose
// terminate handler, which together are a third of the executable.

#include <bits/functexcept.h>

#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }

}  // namespace std
