#include "install/trusted_paths.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "platform/error_text.h"
#include "platform/scoped_key.h"

namespace install {

namespace {

constexpr char kTrustedPaths[] = "TRUSTEDPATHS";
constexpr std::size_t kCapacity = 13000;  // UTF-16 units, the NUL included

// The value's text up to its first NUL, and its type.
struct TrustedPaths {
  std::u16string text;
  unsigned long type;
};

std::u16string UpperAscii(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return text;
}

// A path as entries are compared: ASCII letters upper-cased, one trailing
// backslash dropped.
std::u16string Comparable(std::u16string path) {
  if (!path.empty() && path.back() == u'\\') path.pop_back();
  return UpperAscii(path);
}

// The ";"-separated entries of `list`, empty ones included.
std::vector<std::u16string> Entries(const std::u16string& list) {
  std::vector<std::u16string> entries;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(list.find(u';', start), list.size());
    entries.push_back(list.substr(start, end - start));
    if (end == list.size()) return entries;
    start = end + 1;
  }
}

// Whether one of the entries of `list` names `folder`.
bool HasEntry(const std::u16string& list, const std::u16string& folder) {
  const std::u16string wanted = Comparable(folder);
  const auto entries = Entries(list);
  return std::any_of(entries.begin(), entries.end(),
                     [&](const std::u16string& entry) { return Comparable(entry) == wanted; });
}

// `list` without the entries that name `folder`.
std::u16string WithoutEntry(const std::u16string& list, const std::u16string& folder) {
  const std::u16string wanted = Comparable(folder);
  std::u16string kept;
  bool first = true;
  for (const std::u16string& entry : Entries(list)) {
    if (Comparable(entry) == wanted) continue;
    kept += (first ? u"" : u";") + entry;
    first = false;
  }
  return kept;
}

// The current trusted paths: an empty REG_SZ when the key or the value is
// absent; otherwise, when an existing value cannot be read whole or is not a
// single text (it must not be lost or damaged), why not.
long CurrentTrustedPaths(platform::RegistryPort& registry, platform::RegKey userRoot,
                         const std::string& variablesKey, TrustedPaths* current) {
  *current = TrustedPaths{std::u16string(), platform::kRegSz};
  long result = kErrorSuccess;
  const platform::ScopedKey key =
      platform::ScopedKey::Open(registry, userRoot, variablesKey, &result);
  if (result == kErrorFileNotFound) return kErrorSuccess;
  if (!key) return result;
  std::u16string data;
  unsigned long type = 0;
  result = registry.QueryWideValue(key.get(), kTrustedPaths, kCapacity, &data, &type);
  if (result == kErrorFileNotFound) return kErrorSuccess;
  if (result != kErrorSuccess) return result;
  if (type != platform::kRegSz && type != platform::kRegExpandSz) return kErrorInvalidData;
  const std::u16string text = data.substr(0, data.find(u'\0'));
  if (text.size() >= kCapacity) return kErrorFilenameTooLong;
  *current = TrustedPaths{text, type};
  return kErrorSuccess;
}

// An empty value becomes the folder. Otherwise existing entries come back
// upper-cased and untrimmed, and the folder is added unless an entry names
// it. Nothing when the result does not fit.
std::optional<std::u16string> NewTrustedPaths(const std::u16string& current,
                                              const std::u16string& folder) {
  if (current.empty()) return folder;
  const std::u16string upperCurrent = UpperAscii(current);
  if (HasEntry(current, folder)) return upperCurrent;
  const std::u16string joined = upperCurrent + u';' + UpperAscii(folder);
  if (joined.size() >= kCapacity) return std::nullopt;
  return joined;
}

}  // namespace

long TrustFolder(platform::RegistryPort& registry, const std::string& variablesKey,
                 const std::u16string& folder, platform::RegKey userRoot) {
  TrustedPaths current;
  long result = CurrentTrustedPaths(registry, userRoot, variablesKey, &current);
  if (result != kErrorSuccess) return result;
  const auto updated = NewTrustedPaths(current.text, folder);
  if (!updated) return kErrorFilenameTooLong;
  const platform::ScopedKey key =
      platform::ScopedKey::Create(registry, userRoot, variablesKey, &result);
  if (!key) return result;
  // A REG_EXPAND_SZ keeps its type, so that its %VARIABLE% entries still expand.
  return registry.SetWideValue(key.get(), kTrustedPaths, current.type, *updated + u'\0');
}

long DistrustFolder(platform::RegistryPort& registry, const std::string& variablesKey,
                    const std::u16string& folder, platform::RegKey userRoot) {
  TrustedPaths current;
  long result = CurrentTrustedPaths(registry, userRoot, variablesKey, &current);
  if (result != kErrorSuccess) return result;
  if (!HasEntry(current.text, folder)) return kErrorSuccess;
  const platform::ScopedKey key =
      platform::ScopedKey::Open(registry, userRoot, variablesKey, &result);
  if (!key) return result;
  return registry.SetWideValue(key.get(), kTrustedPaths, current.type,
                               WithoutEntry(current.text, folder) + u'\0');
}

}  // namespace install
