#include "support/fake_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "base/text.h"
#include "base/utf8.h"

using base::EqualsIgnoreCase;
using base::ToUpperAscii;

namespace {

const char* OpName(FsOp op) { return kFsOpNames[static_cast<int>(op)]; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsWildcard(char c) { return c == '*' || c == '?'; }

// Well-formed UTF-8 without a control character or one of " < > | : (nor
// ? * unless `wildcards`). Checked byte by byte: no byte of a multi-byte
// character is ASCII.
bool IsValidName(const std::string& name, bool wildcards) {
  std::u16string wide;
  if (!base::Utf8ToUtf16(name, &wide)) return false;
  return std::none_of(name.begin(), name.end(), [&](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '<' || c == '>' || c == '|' ||
           c == ':' || (IsWildcard(c) && !wildcards);
  });
}

bool HasWildcard(const std::string& name) {
  return std::any_of(name.begin(), name.end(), IsWildcard);
}

// Both upper-cased. "*.*" matches every name, dotted or not, as on Windows.
bool MatchesPattern(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*") return true;
  std::size_t p = 0, n = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// The position of the ':' that starts a stream name, or npos.
std::size_t StreamColon(const std::string& path) {
  return path.size() > 2 ? path.find(':', 2) : std::string::npos;
}

class FakeListing : public platform::FileListing {
 public:
  explicit FakeListing(std::vector<platform::FileEntry> entries) : m_entries(std::move(entries)) {}
  bool Next(platform::FileEntry* entry) override {
    if (m_next == m_entries.size()) return false;
    *entry = m_entries[m_next++];
    return true;
  }

 private:
  std::vector<platform::FileEntry> m_entries;
  std::size_t m_next = 0;
};

unsigned long Visible(unsigned long stored) { return stored == 0 ? platform::kAttrNormal : stored; }

}  // namespace

bool operator==(const FsCall& a, const FsCall& b) {
  return a.op == b.op && a.path == b.path && a.target == b.target;
}

void PrintTo(const FsCall& call, std::ostream* out) {
  *out << OpName(call.op) << "(" << call.path;
  if (!call.target.empty()) *out << " -> " << call.target;
  *out << ")";
}

// ---- Paths ----

FakeFileSystem::Location FakeFileSystem::At(char drive, const std::vector<std::string>& parts,
                                            std::size_t count) {
  Location at;
  at.valid = true;
  at.drive = drive;
  at.parts.assign(parts.begin(), parts.begin() + count);
  at.key = std::string(1, drive) + ":";
  for (const std::string& part : at.parts) {
    at.parent = at.key;
    at.key += "\\" + ToUpperAscii(part);
  }
  return at;
}

FakeFileSystem::Location FakeFileSystem::Locate(const std::string& path,
                                                bool wildcardsInName) const {
  if (path.size() < 3 || !IsAsciiLetter(path[0]) || path[1] != ':' || !IsSeparator(path[2])) {
    return Location();
  }
  const char drive = ToUpperAscii(path.substr(0, 1))[0];
  if (m_drives.count(drive) == 0) return Location();

  std::vector<std::string> parts;
  std::string part;
  bool endsWithSeparator = false;
  auto endPart = [&] {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (std::size_t i = 2; i < path.size(); ++i) {
    endsWithSeparator = IsSeparator(path[i]);
    if (endsWithSeparator) {
      endPart();
    } else {
      part += path[i];
    }
  }
  endPart();

  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!IsValidName(parts[i], wildcardsInName && i + 1 == parts.size())) return Location();
  }
  Location at = At(drive, parts, parts.size());
  at.trailingSeparator = endsWithSeparator;
  return at;
}

std::string FakeFileSystem::KeyOf(const std::string& path) const {
  const Location at = Locate(path, true);
  return at.valid ? at.key : ToUpperAscii(path);
}

const FakeFileSystem::Node* FakeFileSystem::Find(const Location& at) const {
  if (!at.valid || at.root()) return nullptr;
  const auto found = m_nodes.find(at.key);
  if (found == m_nodes.end()) return nullptr;
  // "file\" names no file.
  if (at.trailingSeparator && !(found->second.stored & platform::kAttrDirectory)) return nullptr;
  return &found->second;
}

FakeFileSystem::Node* FakeFileSystem::Find(const Location& at) {
  return const_cast<Node*>(static_cast<const FakeFileSystem*>(this)->Find(at));
}

bool FakeFileSystem::IsFolderKey(const std::string& key) const {
  if (key.size() == 2) return m_drives.count(key[0]) != 0;
  const auto found = m_nodes.find(key);
  return found != m_nodes.end() && (found->second.stored & platform::kAttrDirectory);
}

FakeFileSystem::Node& FakeFileSystem::Insert(const Location& at, unsigned long attributes) {
  Node& node = m_nodes[at.key];
  node = Node{at.name(), at.parent, attributes & ~platform::kAttrNormal, "", {}, m_nextOrder++};
  return node;
}

platform::FileEntry FakeFileSystem::EntryOf(const Node& node) {
  const bool folder = node.stored & platform::kAttrDirectory;
  return {node.name, Visible(node.stored), folder ? 0 : node.contents.size()};
}

std::vector<platform::FileEntry> FakeFileSystem::Children(const std::string& folderKey) const {
  std::vector<const Node*> children;
  for (const auto& keyed : m_nodes) {
    if (keyed.second.parent == folderKey) children.push_back(&keyed.second);
  }
  std::sort(children.begin(), children.end(),
            [](const Node* a, const Node* b) { return a->order < b->order; });
  std::vector<platform::FileEntry> entries;
  for (const Node* child : children) entries.push_back(EntryOf(*child));
  return entries;
}

// ---- Failure injection and the log ----

bool FakeFileSystem::Admit(FsOp op, const std::string& path, const std::string& target) {
  m_log.push_back({op, path, target});
  std::u16string wide;
  if (!base::Utf8ToUtf16(path, &wide) || !base::Utf8ToUtf16(target, &wide)) {
    return Failed(kErrorNoUnicodeTranslation);  // as the wide calls are never reached
  }
  const long error = m_faults.Check(OpName(op), {KeyOf(path), target.empty() ? "" : KeyOf(target)});
  return error == 0 || Failed(static_cast<unsigned long>(error));
}

void FakeFileSystem::Fail(Fault fault) {
  if (!fault.subject.empty()) fault.subject = KeyOf(fault.subject);
  m_faults.Add(std::move(fault));
}

void FakeFileSystem::Lock(const std::string& path) { m_locked.insert(KeyOf(path)); }

void FakeFileSystem::Unlock(const std::string& path) { m_locked.erase(KeyOf(path)); }

void FakeFileSystem::MarkRunning(const std::string& path) { m_running.insert(KeyOf(path)); }

std::vector<FsCall> FakeFileSystem::CallsOf(FsOp op) const {
  std::vector<FsCall> calls;
  std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(calls),
               [op](const FsCall& call) { return call.op == op; });
  return calls;
}

std::vector<std::string> FakeFileSystem::CopyDestinations() const {
  std::vector<std::string> destinations;
  for (const FsCall& call : CallsOf(FsOp::kCopyOver)) destinations.push_back(call.target);
  return destinations;
}

// ---- FileSystemPort ----

bool FakeFileSystem::CopyOver(const std::string& from, const std::string& to) {
  if (!Admit(FsOp::kCopyOver, from, to)) return false;
  const Location source = Locate(from), destination = Locate(to);
  const Node* original = Find(source);
  if (!original) return Failed(kErrorFileNotFound);
  if (!destination.valid || destination.root() || destination.trailingSeparator ||
      !IsFolderKey(destination.parent)) {
    return Failed(kErrorPathNotFound);
  }
  if (source.key == destination.key || m_locked.count(source.key) != 0 ||
      m_locked.count(destination.key) != 0 || m_running.count(destination.key) != 0) {
    return Failed(kErrorSharingViolation);
  }
  Node* copy = Find(destination);
  // Windows refuses to copy a folder, or to replace a read-only or hidden file.
  if ((original->stored & platform::kAttrDirectory) ||
      (copy && (copy->stored &
                (platform::kAttrDirectory | platform::kAttrReadOnly | platform::kAttrHidden)))) {
    return Failed(kErrorAccessDenied);
  }
  if (!copy) copy = &Insert(destination, 0);  // map nodes stay where they are
  copy->stored = original->stored;
  copy->contents = original->contents;
  copy->streams = original->streams;
  return true;
}

unsigned long FakeFileSystem::ProbeWrite(const std::string& folder) {
  if (!Admit(FsOp::kProbeWrite, folder)) return m_lastError;
  const Location at = Locate(folder);
  return at.valid && IsFolderKey(at.key) ? 0 : kErrorPathNotFound;
}

bool FakeFileSystem::Failed(unsigned long error) {
  m_lastError = error;
  return false;
}

unsigned long FakeFileSystem::MissingError(const Location& at) const {
  return at.valid && IsFolderKey(at.parent) ? kErrorFileNotFound : kErrorPathNotFound;
}

unsigned long FakeFileSystem::Refused(const Location& at, const Node& node,
                                      unsigned long refused) const {
  if (m_locked.count(at.key) != 0) return kErrorSharingViolation;
  return (node.stored & refused) ? kErrorAccessDenied : 0;
}

unsigned long FakeFileSystem::Undeletable(const Location& at, const Node& node) const {
  if (m_running.count(at.key) != 0) return kErrorAccessDenied;
  return Refused(at, node, platform::kAttrDirectory | platform::kAttrReadOnly);
}

void FakeFileSystem::Relocate(const Location& from, const Location& to) {
  // The folder's own entries are those whose keys continue its key with "".
  const auto moves = [&from](const std::string& key) {
    return key == from.key || key.compare(0, from.key.size() + 1, from.key + "\\") == 0;
  };
  const auto moved = [&from, &to](const std::string& key) {
    return to.key + key.substr(from.key.size());
  };
  std::vector<std::pair<std::string, Node>> taken;
  for (auto it = m_nodes.begin(); it != m_nodes.end();) {
    if (!moves(it->first)) {
      ++it;
      continue;
    }
    taken.emplace_back(moved(it->first), std::move(it->second));
    it = m_nodes.erase(it);
  }
  for (auto& [key, node] : taken) {
    node.parent = key == to.key ? to.parent : moved(node.parent);
    if (key == to.key) node.name = to.name();
    m_nodes[key] = std::move(node);
  }
  for (std::set<std::string>* marks : {&m_locked, &m_running}) {
    std::set<std::string> kept;
    for (const std::string& key : *marks) kept.insert(moves(key) ? moved(key) : key);
    *marks = std::move(kept);
  }
}

bool FakeFileSystem::MakeFolder(const std::string& path) {
  const Location at = Locate(path);
  if (!at.valid || at.root()) return Failed(kErrorInvalidName);
  if (m_nodes.count(at.key) != 0) return Failed(kErrorAlreadyExists);
  if (!IsFolderKey(at.parent)) return Failed(kErrorPathNotFound);
  Insert(at, platform::kAttrDirectory);
  return true;
}

bool FakeFileSystem::CreateDir(const std::string& path) {
  return Admit(FsOp::kCreateDir, path) && MakeFolder(path);
}

int FakeFileSystem::MakeDir(const std::string& path) {
  return Admit(FsOp::kMakeDir, path) && MakeFolder(path) ? 0 : -1;
}

bool FakeFileSystem::RemoveStream(const std::string& file, const std::string& stream) {
  Node* node = Find(Locate(file));
  if (!node || (node->stored & platform::kAttrReadOnly) || m_locked.count(KeyOf(file)) != 0)
    return false;
  const auto found =
      std::find_if(node->streams.begin(), node->streams.end(),
                   [&](const std::string& s) { return EqualsIgnoreCase(s, stream); });
  if (found == node->streams.end()) return false;
  node->streams.erase(found);
  return true;
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
  if (!Admit(FsOp::kRemoveFile, path)) return false;
  const std::size_t colon = StreamColon(path);
  if (colon != std::string::npos)
    return RemoveStream(path.substr(0, colon), path.substr(colon + 1));
  const Location at = Locate(path);
  const Node* node = Find(at);
  if (!node) return Failed(MissingError(at));
  if (const unsigned long why = Undeletable(at, *node)) return Failed(why);
  m_nodes.erase(at.key);
  return true;
}

bool FakeFileSystem::RemoveDir(const std::string& path) {
  if (!Admit(FsOp::kRemoveDir, path)) return false;
  const Location at = Locate(path);
  const Node* node = Find(at);
  if (!node) return Failed(MissingError(at));
  if (!(node->stored & platform::kAttrDirectory)) return Failed(kErrorDirectory);
  if (!Children(at.key).empty()) return Failed(kErrorDirNotEmpty);
  m_nodes.erase(at.key);
  return true;
}

bool FakeFileSystem::MoveOver(const std::string& from, const std::string& to) {
  if (!Admit(FsOp::kMoveOver, from, to)) return false;
  const Location source = Locate(from), destination = Locate(to);
  const Node* moving = Find(source);
  if (!moving) return Failed(MissingError(source));
  if (!destination.valid || destination.root() || !IsFolderKey(destination.parent)) {
    return Failed(kErrorPathNotFound);
  }
  if (destination.drive != source.drive) return Failed(kErrorNotSameDevice);
  if (m_locked.count(source.key) != 0) return Failed(kErrorSharingViolation);
  const bool folder = moving->stored & platform::kAttrDirectory;
  // A folder does not go into itself.
  if (folder && destination.key.compare(0, source.key.size() + 1, source.key + "\\") == 0) {
    return Failed(kErrorSharingViolation);
  }
  // Only a file replaces, and only a file that could be deleted; a move to
  // the name itself in another spelling renames.
  const Node* replaced = destination.key == source.key ? nullptr : Find(destination);
  if (replaced) {
    const unsigned long why = folder ? kErrorAccessDenied : Undeletable(destination, *replaced);
    if (why != 0) return Failed(why);
    m_nodes.erase(destination.key);
  }
  Relocate(source, destination);
  return true;
}

unsigned long FakeFileSystem::ReadText(const std::string& path, std::size_t capacity,
                                       std::string* text) {
  text->clear();
  if (!Admit(FsOp::kReadText, path)) return m_lastError;
  const Location at = Locate(path);
  const Node* node = Find(at);
  if (!node) return MissingError(at);
  if (const unsigned long why = Refused(at, *node, platform::kAttrDirectory)) return why;
  if (node->contents.size() > capacity) return kErrorMoreData;
  *text = node->contents;
  return 0;
}

unsigned long FakeFileSystem::AppendText(const std::string& path, const std::string& text) {
  if (!Admit(FsOp::kAppendText, path)) return m_lastError;
  const Location at = Locate(path);
  Node* node = Find(at);
  if (!node) {
    if (MissingError(at) != kErrorFileNotFound) return kErrorPathNotFound;
    node = &Insert(at, 0);
  } else if (const unsigned long why =
                 Refused(at, *node, platform::kAttrDirectory | platform::kAttrReadOnly)) {
    return why;
  }
  node->contents += text;
  return 0;
}

unsigned long FakeFileSystem::GetAttributes(const std::string& path) {
  if (!Admit(FsOp::kGetAttributes, path)) return platform::kInvalidAttributes;
  return Attributes(path);
}

bool FakeFileSystem::SetAttributes(const std::string& path, unsigned long attributes) {
  if (!Admit(FsOp::kSetAttributes, path)) return false;
  Node* node = Find(Locate(path));
  if (!node) return false;
  // The directory bit cannot be given or taken; "normal" means no bits.
  node->stored = (attributes & ~(platform::kAttrNormal | platform::kAttrDirectory)) |
                 (node->stored & platform::kAttrDirectory);
  return true;
}

bool FakeFileSystem::Exists(const std::string& path) {
  return Admit(FsOp::kExists, path) && Attributes(path) != platform::kInvalidAttributes;
}

std::unique_ptr<platform::FileListing> FakeFileSystem::List(const std::string& pattern) {
  if (!Admit(FsOp::kList, pattern)) return nullptr;
  const Location at = Locate(pattern, true);
  if (!at.valid || at.root() || at.trailingSeparator) return nullptr;

  std::vector<platform::FileEntry> entries;
  if (HasWildcard(at.name())) {
    if (!IsFolderKey(at.parent)) return nullptr;
    std::vector<platform::FileEntry> candidates;
    if (at.parts.size() > 1) {
      const Location folder = At(at.drive, at.parts, at.parts.size() - 1);
      const Location above = At(at.drive, at.parts, at.parts.size() - 2);
      candidates.push_back({".", Visible(Find(folder)->stored)});
      candidates.push_back(
          {"..", above.root() ? platform::kAttrDirectory : Visible(Find(above)->stored)});
    }
    for (const platform::FileEntry& child : Children(at.parent)) candidates.push_back(child);
    const std::string wanted = ToUpperAscii(at.name());
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(entries),
                 [&](const platform::FileEntry& entry) {
                   return MatchesPattern(wanted, ToUpperAscii(entry.name));
                 });
  } else if (const Node* node = Find(at)) {
    entries.push_back(EntryOf(*node));
  }
  if (entries.empty()) return nullptr;
  return std::make_unique<FakeListing>(std::move(entries));
}

// ---- Arranging and looking ----

void FakeFileSystem::AddDrive(char letter) { m_drives.insert(ToUpperAscii({letter})[0]); }

FakeFileSystem::Location FakeFileSystem::Arrange(const std::string& path) {
  const Location at = Locate(path);
  if (!at.valid) {
    ADD_FAILURE() << "FakeFileSystem: bad path or missing drive: " << path;
    return at;
  }
  for (std::size_t level = 1; level < at.parts.size(); ++level) {
    const Location above = At(at.drive, at.parts, level);
    const Node* node = Find(above);
    if (!node) {
      Insert(above, platform::kAttrDirectory);
    } else if (!(node->stored & platform::kAttrDirectory)) {
      ADD_FAILURE() << "FakeFileSystem: a file stands where a folder should: " << path;
    }
  }
  return at;
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& contents,
                             unsigned long attributes) {
  const Location at = Arrange(path);
  if (!at.valid || at.root()) return;
  Node* node = Find(at);
  if (node && (node->stored & platform::kAttrDirectory)) {
    ADD_FAILURE() << "FakeFileSystem: a folder stands where a file should: " << path;
    return;
  }
  if (!node) node = &Insert(at, 0);
  node->stored = attributes & ~(platform::kAttrNormal | platform::kAttrDirectory);
  node->contents = contents;
}

void FakeFileSystem::AddFolder(const std::string& path, unsigned long attributes) {
  const Location at = Arrange(path);
  if (!at.valid || at.root()) return;
  Node* node = Find(at);
  if (node && !(node->stored & platform::kAttrDirectory)) {
    ADD_FAILURE() << "FakeFileSystem: a file stands where a folder should: " << path;
    return;
  }
  if (!node) node = &Insert(at, 0);
  node->stored = (attributes & ~platform::kAttrNormal) | platform::kAttrDirectory;
}

void FakeFileSystem::AddStream(const std::string& file, const std::string& stream) {
  Node* node = Find(Locate(file));
  if (!node) {
    ADD_FAILURE() << "FakeFileSystem: no file to hold a stream: " << file;
    return;
  }
  node->streams.push_back(stream);
}

std::string FakeFileSystem::ReadFile(const std::string& path) const {
  const Node* node = Find(Locate(path));
  if (!node || (node->stored & platform::kAttrDirectory)) {
    ADD_FAILURE() << "FakeFileSystem: no file to read: " << path;
    return "";
  }
  return node->contents;
}

bool FakeFileSystem::FileExists(const std::string& path) const {
  const Node* node = Find(Locate(path));
  return node && !(node->stored & platform::kAttrDirectory);
}

bool FakeFileSystem::FolderExists(const std::string& path) const {
  const Location at = Locate(path);
  return at.valid && IsFolderKey(at.key);
}

bool FakeFileSystem::HasStream(const std::string& file, const std::string& stream) const {
  const Node* node = Find(Locate(file));
  return node && std::any_of(node->streams.begin(), node->streams.end(),
                             [&](const std::string& s) { return EqualsIgnoreCase(s, stream); });
}

unsigned long FakeFileSystem::Attributes(const std::string& path) const {
  const Location at = Locate(path);
  if (at.valid && at.root()) return platform::kAttrDirectory;
  const Node* node = Find(at);
  return node ? Visible(node->stored) : platform::kInvalidAttributes;
}

std::vector<std::string> FakeFileSystem::AllPaths() const {
  std::vector<std::string> paths;
  for (const auto& node : m_nodes) paths.push_back(node.first);
  return paths;
}

std::vector<std::string> FakeFileSystem::ListNames(const std::string& folder) const {
  std::vector<std::string> names;
  const Location at = Locate(folder);
  if (!at.valid || !IsFolderKey(at.key)) {
    ADD_FAILURE() << "FakeFileSystem: no folder to list: " << folder;
    return names;
  }
  for (const platform::FileEntry& entry : Children(at.key)) names.push_back(entry.name);
  return names;
}
