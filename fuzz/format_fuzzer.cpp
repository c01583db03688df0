// The bounded formatting of paths: a text fits whole (up to 259 UTF-16
// units, whatever its bytes) or leaves the buffer empty, never cut.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/bounded_format.h"
#include "base/utf8.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string folder = input.Text(200);
  const std::string name = input.Rest();
  if (folder.find('\0') != std::string::npos || name.find('\0') != std::string::npos) return 0;
  base::PathBuffer buffer;
  const int length = base::FormatPath(buffer, "%s\\%s%d", folder.c_str(), name.c_str(), 7);
  const std::string whole = folder + "\\" + name + "7";
  if (base::Utf16Length(whole) < base::kPathCapacity) {
    if (length != static_cast<int>(whole.size()) || whole != buffer) std::abort();
  } else if (length != -1 || buffer[0] != '\0') {
    std::abort();
  }
  return 0;
}
