#include "support/fake_registry.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>

#include "base/utf8.h"

using base::EqualsIgnoreCase;
using base::ToUpperAscii;

namespace {

bool IsUtf8(const std::string& text) {
  std::u16string wide;
  return base::Utf8ToUtf16(text, &wide);
}

bool IsText(unsigned long type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz ||
         type == platform::kRegMultiSz;
}

// Text is UTF-8 converted; other data keeps its bytes, read two by two as
// little-endian UTF-16 units.
FakeRegistry::WideValue WideView(const FakeRegistry::Value& value) {
  std::u16string units;
  if (IsText(value.type)) {
    base::Utf8ToUtf16(value.data, &units);
  } else {
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
      units += static_cast<char16_t>(static_cast<unsigned char>(value.data[i]) |
                                     static_cast<unsigned char>(value.data[i + 1]) << 8);
    }
  }
  return {value.type, units};
}

// Text with a lone surrogate has no UTF-8 form: it reads as nothing, and the
// query is refused (Stored::utf8).
FakeRegistry::Value Utf8View(const FakeRegistry::WideValue& value) {
  if (IsText(value.type)) {
    std::string text;
    base::Utf16ToUtf8(value.data, &text);
    return {value.type, text};
  }
  std::string bytes;
  for (char16_t unit : value.data) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return {value.type, bytes};
}

}  // namespace

// Long data is cut short: a failure stays readable.
void PrintTo(const FakeRegistry::WideValue& value, std::ostream* out) {
  constexpr std::size_t kShown = 80;
  *out << "type " << value.type << ", " << value.data.size() << " units: u\"";
  for (char16_t unit : value.data.substr(0, kShown)) {
    if (unit >= 0x20 && unit < 0x7F) {
      *out << static_cast<char>(unit);
    } else {
      *out << "\\u" << std::hex << static_cast<int>(unit) << std::dec;
    }
  }
  *out << (value.data.size() > kShown ? "\"..." : "\"");
}

// A value as both families of calls read it: as it was set, and converted.
struct FakeRegistry::Stored {
  explicit Stored(const Value& value) : narrow(value), wide(WideView(value)) {}
  explicit Stored(const WideValue& value) : narrow(Utf8View(value)), wide(value) {}

  // Whether the narrow calls can read the value: text without a lone surrogate.
  bool utf8() const {
    std::string text;
    return !IsText(wide.type) || base::Utf16ToUtf8(wide.data, &text);
  }

  Value narrow;
  WideValue wide;
};

struct FakeRegistry::Node {
  std::string name;
  Node* parent = nullptr;
  bool deleted = false;
  std::vector<std::shared_ptr<Node>> children;                         // creation order
  std::unordered_map<std::string, std::shared_ptr<Node>> childByName;  // upper-cased names
  std::vector<std::pair<std::string, Stored>> values;                  // creation order

  std::shared_ptr<Node> Child(const std::string& childName) const {
    const auto found = childByName.find(ToUpperAscii(childName));
    return found == childByName.end() ? nullptr : found->second;
  }

  std::shared_ptr<Node> ChildOrNew(const std::string& childName) {
    if (auto child = Child(childName)) return child;
    auto child = std::make_shared<Node>();
    child->name = childName;
    child->parent = this;
    children.push_back(child);
    childByName[ToUpperAscii(childName)] = child;
    return child;
  }

  void RemoveChild(const std::shared_ptr<Node>& child) {
    childByName.erase(ToUpperAscii(child->name));
    children.erase(std::find(children.begin(), children.end(), child));
  }

  const Stored* FindValue(const std::string& valueName) const {
    for (const auto& entry : values) {
      if (EqualsIgnoreCase(entry.first, valueName)) return &entry.second;
    }
    return nullptr;
  }

  void Store(const std::string& valueName, Stored value) {
    for (auto& entry : values) {
      if (EqualsIgnoreCase(entry.first, valueName)) {
        entry.second = std::move(value);
        return;
      }
    }
    values.emplace_back(valueName, std::move(value));
  }

  // Names from the root's own name down to this key.
  base::TextList Path() const {
    base::TextList path;
    for (const Node* node = this; node; node = node->parent) path.push_back(node->name);
    std::reverse(path.begin(), path.end());
    return path;
  }
};

namespace {

// Empty parts (a trailing or doubled backslash) name no key, as in Win32.
base::TextList SplitPath(const std::string& path) {
  base::TextList names;
  std::string part;
  for (const char c : path) {
    if (c != '\\') {
      part += c;
    } else if (!part.empty()) {
      names.push_back(part);
      part.clear();
    }
  }
  if (!part.empty()) names.push_back(part);
  return names;
}

// The four little-endian bytes of a REG_DWORD.
std::string DwordBytes(std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
  return bytes;
}

std::string Joined(const base::TextList& names) {
  std::string path;
  for (const auto& name : names) path += (path.empty() ? "" : "\\") + name;
  return path;
}

bool IsRoot(platform::RegKey key) {
  return key == platform::kHKeyLocalMachine || key == platform::kHKeyCurrentUser ||
         key == platform::kHKeyUsers || key == kOwnViewRoot || key == kOtherViewRoot;
}

std::string RootName(platform::RegKey root) {
  if (root == kOtherViewRoot) {
    return kOtherViewRoot == platform::kHKeyLocalMachine32 ? "HKEY_LOCAL_MACHINE(32)"
                                                           : "HKEY_LOCAL_MACHINE(64)";
  }
  if (root == platform::kHKeyUsers) return "HKEY_USERS";
  return root == platform::kHKeyCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

}  // namespace

std::string KeyName(platform::RegKey root, const std::string& path) {
  const std::string rootName = RootName(root);
  return path.empty() ? rootName : rootName + "\\" + path;
}

FakeRegistry::FakeRegistry()
    : m_localMachine(std::make_shared<Node>()),
      m_otherView(std::make_shared<Node>()),
      m_currentUser(std::make_shared<Node>()),
      m_users(std::make_shared<Node>()) {
  m_localMachine->name = RootName(platform::kHKeyLocalMachine);
  m_otherView->name = RootName(kOtherViewRoot);
  m_currentUser->name = RootName(platform::kHKeyCurrentUser);
  m_users->name = RootName(platform::kHKeyUsers);
}

FakeRegistry::~FakeRegistry() = default;

long FakeRegistry::OpenKey(platform::RegKey parent, const std::string& path,
                           platform::RegKey* key) {
  return Open("OpenKey", parent, path, true, key);
}

long FakeRegistry::OpenKeyForRead(platform::RegKey parent, const std::string& path,
                                  platform::RegKey* key) {
  return Open("OpenKeyForRead", parent, path, false, key);
}

long FakeRegistry::ProbeWrite(platform::RegKey parent, const std::string& path) {
  std::shared_ptr<Node> node;
  base::TextList names;
  const long result = Target("ProbeWrite", parent, path, &node, &names);
  if (result != kErrorSuccess) return result;
  return Descend(node, names) ? kErrorSuccess : kErrorFileNotFound;
}

long FakeRegistry::CreateKey(platform::RegKey parent, const std::string& path,
                             platform::RegKey* key) {
  *key = 0;
  std::shared_ptr<Node> node;
  base::TextList names;
  const long result = Target("CreateKey", parent, path, &node, &names);
  if (result != kErrorSuccess) return result;
  for (const auto& name : names) node = node->ChildOrNew(name);
  *key = NewHandle(node, true);
  return kErrorSuccess;
}

long FakeRegistry::CountSubKeys(platform::RegKey key, unsigned long* count) {
  std::shared_ptr<Node> node;
  const long result = Subject("CountSubKeys", key, "", &node);
  if (result != kErrorSuccess) return result;
  *count = static_cast<unsigned long>(node->children.size());
  return kErrorSuccess;
}

long FakeRegistry::EnumSubKey(platform::RegKey key, unsigned long index, std::size_t capacity,
                              std::string* name) {
  name->clear();
  std::shared_ptr<Node> node;
  const long result = Subject("EnumSubKey", key, "", &node);
  if (result != kErrorSuccess) return result;
  if (index >= node->children.size()) return kErrorNoMoreItems;
  const std::string& found = node->children[index]->name;
  if (base::Utf16Length(found) + 1 > capacity) return kErrorMoreData;
  *name = found;
  return kErrorSuccess;
}

long FakeRegistry::QueryValue(platform::RegKey key, const std::string& name, std::size_t capacity,
                              std::string* data, unsigned long* type) {
  data->clear();
  const Stored* stored = nullptr;
  const long result = Get(key, name, &stored);
  if (result != kErrorSuccess) return result;
  if (!stored->utf8()) return kErrorNoUnicodeTranslation;
  // The capacity counts the UTF-16 units the wide call fills.
  *type = stored->wide.type;
  if (stored->wide.data.size() > capacity) return kErrorMoreData;
  *data = stored->narrow.data;
  return kErrorSuccess;
}

long FakeRegistry::SetValue(platform::RegKey key, const std::string& name, unsigned long type,
                            const std::string& data) {
  if (IsText(type) && !IsUtf8(data)) return kErrorNoUnicodeTranslation;
  return Set(key, name, Stored(Value{type, data}));
}

long FakeRegistry::QueryWideValue(platform::RegKey key, const std::string& name,
                                  std::size_t capacity, std::u16string* data, unsigned long* type) {
  data->clear();
  const Stored* stored = nullptr;
  const long result = Get(key, name, &stored);
  if (result != kErrorSuccess) return result;
  *type = stored->wide.type;
  if (stored->wide.data.size() > capacity) return kErrorMoreData;
  *data = stored->wide.data;
  return kErrorSuccess;
}

long FakeRegistry::SetWideValue(platform::RegKey key, const std::string& name, unsigned long type,
                                const std::u16string& data) {
  return Set(key, name, Stored(WideValue{type, data}));
}

long FakeRegistry::DeleteKey(platform::RegKey parent, const std::string& path) {
  std::shared_ptr<Node> node;
  base::TextList names;
  const long result = Target("DeleteKey", parent, path, &node, &names);
  if (result != kErrorSuccess) return result;
  node = Descend(node, names);
  if (!node) return kErrorFileNotFound;
  if (!node->parent || !node->children.empty()) return kErrorAccessDenied;
  node->parent->RemoveChild(node);
  node->parent = nullptr;
  node->deleted = true;
  return kErrorSuccess;
}

long FakeRegistry::CloseKey(platform::RegKey key) {
  if (IsRoot(key)) return kErrorSuccess;
  return m_handles.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

long FakeRegistry::LoadHive(const std::string& name, const std::string& file) {
  if (!IsUtf8(name) || !IsUtf8(file)) return kErrorNoUnicodeTranslation;
  ++m_callCount;
  const long fault = m_faults.Check("LoadHive", {KeyName(platform::kHKeyUsers, name)});
  if (fault != kErrorSuccess) return fault;
  const auto hive = m_hiveFiles.find(ToUpperAscii(file));
  if (hive == m_hiveFiles.end()) return kErrorFileNotFound;
  if (hive->second.inUse) return kErrorSharingViolation;
  if (m_users->Child(name)) return kErrorAlreadyExists;
  const std::shared_ptr<Node> root = hive->second.root;
  root->name = name;
  root->parent = m_users.get();
  m_users->children.push_back(root);
  m_users->childByName[ToUpperAscii(name)] = root;
  hive->second.inUse = true;
  m_loaded[ToUpperAscii(name)] = hive->first;
  return kErrorSuccess;
}

long FakeRegistry::UnloadHive(const std::string& name) {
  if (!IsUtf8(name)) return kErrorNoUnicodeTranslation;
  ++m_callCount;
  const long fault = m_faults.Check("UnloadHive", {KeyName(platform::kHKeyUsers, name)});
  if (fault != kErrorSuccess) return fault;
  const auto loaded = m_loaded.find(ToUpperAscii(name));
  if (loaded == m_loaded.end())
    return m_users->Child(name) ? kErrorInvalidParameter : kErrorFileNotFound;
  HiveFile& hive = m_hiveFiles.at(loaded->second);
  if (OpenBelow(hive.root.get())) return kErrorAccessDenied;
  m_users->RemoveChild(hive.root);
  hive.root->parent = nullptr;
  hive.inUse = false;
  m_loaded.erase(loaded);
  return kErrorSuccess;
}

void FakeRegistry::AddHiveFile(const std::string& file) {
  m_hiveFiles[ToUpperAscii(file)].root = std::make_shared<Node>();
}

void FakeRegistry::MarkHiveInUse(const std::string& file) {
  m_hiveFiles[ToUpperAscii(file)].inUse = true;
}

bool FakeRegistry::HiveLoaded(const std::string& name) const {
  return m_loaded.count(ToUpperAscii(name)) != 0;
}

void FakeRegistry::Fail(Fault fault) {
  fault.subject = Joined(SplitPath(fault.subject));
  m_faults.Add(std::move(fault));
}

void FakeRegistry::AddKey(platform::RegKey root, const std::string& path) { MakePath(root, path); }

void FakeRegistry::SetString(platform::RegKey root, const std::string& path,
                             const std::string& name, const std::string& text) {
  SetRaw(root, path, name, platform::kRegSz, text + '\0');
}

void FakeRegistry::SetDword(platform::RegKey root, const std::string& path, const std::string& name,
                            std::uint32_t value) {
  SetRaw(root, path, name, platform::kRegDword, DwordBytes(value));
}

void FakeRegistry::SetRaw(platform::RegKey root, const std::string& path, const std::string& name,
                          unsigned long type, const std::string& bytes) {
  MakePath(root, path)->Store(name, Stored(Value{type, bytes}));
}

void FakeRegistry::SetWide(platform::RegKey root, const std::string& path, const std::string& name,
                           unsigned long type, const std::u16string& data) {
  MakePath(root, path)->Store(name, Stored(WideValue{type, data}));
}

std::optional<FakeRegistry::Value> FakeRegistry::GetValue(platform::RegKey root,
                                                          const std::string& path,
                                                          const std::string& name) const {
  const Stored* stored = FindStored(root, path, name);
  if (!stored) return std::nullopt;
  return stored->narrow;
}

std::optional<FakeRegistry::WideValue> FakeRegistry::GetWideValue(platform::RegKey root,
                                                                  const std::string& path,
                                                                  const std::string& name) const {
  const Stored* stored = FindStored(root, path, name);
  if (!stored) return std::nullopt;
  return stored->wide;
}

bool FakeRegistry::KeyExists(platform::RegKey root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

base::TextList FakeRegistry::SubKeyNames(platform::RegKey root, const std::string& path) const {
  base::TextList names;
  if (const auto node = Find(root, path)) {
    for (const auto& child : node->children) names.push_back(child->name);
  }
  return names;
}

base::TextList FakeRegistry::ValueNames(platform::RegKey root, const std::string& path) const {
  base::TextList names;
  if (const auto node = Find(root, path)) {
    for (const auto& entry : node->values) names.push_back(entry.first);
  }
  return names;
}

base::TextList FakeRegistry::AllKeys() const {
  base::TextList keys;
  std::vector<std::shared_ptr<Node>> pending = {m_users, m_localMachine, m_otherView,
                                                m_currentUser};
  while (!pending.empty()) {
    const std::shared_ptr<Node> node = pending.back();
    pending.pop_back();
    keys.push_back(Joined(node->Path()));
    pending.insert(pending.end(), node->children.rbegin(), node->children.rend());
  }
  return keys;
}

int FakeRegistry::OpenHandleCount() const { return static_cast<int>(m_handles.size()); }

long FakeRegistry::Open(const char* call, platform::RegKey parent, const std::string& path,
                        bool writable, platform::RegKey* key) {
  *key = 0;
  std::shared_ptr<Node> node;
  base::TextList names;
  const long result = Target(call, parent, path, &node, &names);
  if (result != kErrorSuccess) return result;
  node = Descend(node, names);
  if (!node) return kErrorFileNotFound;
  *key = NewHandle(node, writable);
  ++m_openCount;
  return kErrorSuccess;
}

long FakeRegistry::NodeOf(platform::RegKey key, std::shared_ptr<Node>* node) const {
  if (IsRoot(key)) {
    *node = RootNode(key);
  } else {
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end()) return kErrorInvalidHandle;
    *node = handle->second.node;
  }
  return (*node)->deleted ? kErrorKeyDeleted : kErrorSuccess;
}

long FakeRegistry::Target(const char* call, platform::RegKey parent, const std::string& path,
                          std::shared_ptr<Node>* start, base::TextList* names) {
  const long result = NodeOf(parent, start);
  if (result != kErrorSuccess) return result;
  if (!IsUtf8(path)) return kErrorNoUnicodeTranslation;
  if (!path.empty() && path.front() == '\\') return kErrorBadPathname;
  *names = SplitPath(path);
  if (names->empty() && parent == kOtherViewRoot) *start = m_localMachine;
  ++m_callCount;
  if (!m_faults.Armed()) return kErrorSuccess;
  base::TextList target = (*start)->Path();
  target.insert(target.end(), names->begin(), names->end());
  return m_faults.Check(call, {Joined(target)});
}

long FakeRegistry::Subject(const char* call, platform::RegKey key, const std::string& valueName,
                           std::shared_ptr<Node>* node) {
  const long result = NodeOf(key, node);
  if (result != kErrorSuccess) return result;
  if (!IsUtf8(valueName)) return kErrorNoUnicodeTranslation;
  ++m_callCount;
  return m_faults.Armed() ? m_faults.Check(call, {Joined((*node)->Path())}, valueName)
                          : kErrorSuccess;
}

long FakeRegistry::Set(platform::RegKey key, const std::string& name, Stored stored) {
  std::shared_ptr<Node> node;
  const long result = Subject("SetValue", key, name, &node);
  if (result != kErrorSuccess) return result;
  const auto handle = m_handles.find(key);
  if (handle != m_handles.end() && !handle->second.writable) return kErrorAccessDenied;
  node->Store(name, std::move(stored));
  return kErrorSuccess;
}

long FakeRegistry::Get(platform::RegKey key, const std::string& name, const Stored** stored) {
  std::shared_ptr<Node> node;
  const long result = Subject("QueryValue", key, name, &node);
  if (result != kErrorSuccess) return result;
  *stored = node->FindValue(name);
  return *stored ? kErrorSuccess : kErrorFileNotFound;
}

platform::RegKey FakeRegistry::NewHandle(std::shared_ptr<Node> node, bool writable) {
  const platform::RegKey key = m_nextHandle;
  m_nextHandle += 4;
  m_handles[key] = Handle{std::move(node), writable};
  return key;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::Descend(std::shared_ptr<Node> node,
                                                          const base::TextList& names) {
  for (const auto& name : names) {
    node = node->Child(name);
    if (!node) return nullptr;
  }
  return node;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::RootNode(platform::RegKey root) const {
  assert(IsRoot(root));
  if (root == kOtherViewRoot) return m_otherView;
  if (root == platform::kHKeyUsers) return m_users;
  return root == platform::kHKeyCurrentUser ? m_currentUser : m_localMachine;
}

bool FakeRegistry::OpenBelow(const Node* node) const {
  for (const auto& handle : m_handles) {
    for (const Node* open = handle.second.node.get(); open; open = open->parent) {
      if (open == node) return true;
    }
  }
  return false;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::Find(platform::RegKey root,
                                                       const std::string& path) const {
  return Descend(RootNode(root), SplitPath(path));
}

const FakeRegistry::Stored* FakeRegistry::FindStored(platform::RegKey root, const std::string& path,
                                                     const std::string& name) const {
  const auto node = Find(root, path);
  return node ? node->FindValue(name) : nullptr;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::MakePath(platform::RegKey root,
                                                           const std::string& path) {
  auto node = RootNode(root);
  for (const auto& name : SplitPath(path)) node = node->ChildOrNew(name);
  return node;
}
