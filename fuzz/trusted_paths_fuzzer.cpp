// The TRUSTEDPATHS merge on any old value and folder: the new value is the
// old one, or the old one upper-cased, or that plus ';' and the folder (the
// folder alone for an empty value); never shorter, never beyond its limit.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "install/trusted_paths.h"
#include "support/fake_registry.h"

namespace {

constexpr char kKey[] = "SOFTWARE\\Autodesk\\AutoCAD\\R24.0\\ACAD-7101:804\\Profiles\\P\\Variables";

std::u16string Upper(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return text;
}

std::u16string Units(const std::string& bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const unsigned long type = input.Byte() % 3 == 0 ? platform::kRegExpandSz : platform::kRegSz;
  std::u16string folder = Units(input.Text());
  for (char16_t& unit : folder) unit = unit == 0 ? u'x' : unit;
  // Long old values now and then, up to and past the 13,000-unit limit.
  std::u16string old = Units(input.Rest());
  if (!old.empty() && old[0] % 4 == 0) old.resize(12990 + old[0] % 20, u'a');
  FakeRegistry registry;
  registry.SetWide(platform::kHKeyCurrentUser, kKey, "TRUSTEDPATHS", type, old);
  const std::u16string oldText = old.substr(0, old.find(u'\0'));
  install::TrustFolder(registry, kKey, folder);
  const auto now = registry.GetWideValue(platform::kHKeyCurrentUser, kKey, "TRUSTEDPATHS");
  if (!now) std::abort();
  const std::u16string text = now->data.substr(0, now->data.find(u'\0'));
  const bool kept = now->data == old;
  const bool merged = text == Upper(oldText) || text == Upper(oldText) + u';' + Upper(folder) ||
                      (oldText.empty() && text == folder);
  if (!kept && (!merged || text.size() < oldText.size() || text.size() >= 13000)) std::abort();
  if (registry.OpenHandleCount() != 0) std::abort();
  return 0;
}
