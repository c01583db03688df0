#pragma once
// An in-memory registry with Win32's meaning: the roots, key and value names
// compared without regard to ASCII case but kept as created, sub-keys
// enumerated in creation order, values stored as (type, data) as the UTF-8
// or the UTF-16 calls set them (text converted for the other family; a name
// or text that is not well-formed UTF-8 refused with 1113), handles as
// integers that must be closed. Calls fail as a FaultPlan says: by call
// name, for a key named by KeyName, and for value calls one value name; a
// "QueryValue" or "SetValue" fault covers both families.
//
// It is a 64-bit Windows with two registry views. The process's own view is
// the one of its bitness (sizeof(void*) * 8): its view root is the same tree
// as HKEY_LOCAL_MACHINE and is named so, since a key has one name however it
// is reached, while the other view root is a tree of its own, named
// "HKEY_LOCAL_MACHINE(32)" or "HKEY_LOCAL_MACHINE(64)". HKEY_LOCAL_MACHINE
// itself is one key in both views: an empty path below either view root opens
// it, and keys below that handle are in the process's own view.
//
// HKEY_USERS holds what tests arrange below it (a logged-on user's hive by
// its SID) and the hive files loaded there. A hive file is a tree of its own:
// LoadHive hangs it below HKEY_USERS under a name, UnloadHive takes it away
// again, keeping what was written below it for the next LoadHive of the file.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/registry_port.h"
#include "support/fault_plan.h"

// A key's full name, as faults name it: "HKEY_LOCAL_MACHINE\\path".
std::string KeyName(platform::RegKey root, const std::string& path);

// The view roots of the process's own view and of the other one.
constexpr platform::RegKey kOwnViewRoot =
    sizeof(void*) == 8 ? platform::kHKeyLocalMachine64 : platform::kHKeyLocalMachine32;
constexpr platform::RegKey kOtherViewRoot =
    sizeof(void*) == 8 ? platform::kHKeyLocalMachine32 : platform::kHKeyLocalMachine64;

class FakeRegistry : public platform::RegistryPort {
 public:
  struct Value {
    unsigned long type;
    std::string data;

    bool operator==(const Value& other) const { return type == other.type && data == other.data; }
    friend void PrintTo(const Value& value, std::ostream* out) {
      *out << "type " << value.type << " data \"";
      for (unsigned char byte : value.data) {
        if (byte >= 0x20 && byte < 0x7F) {
          *out << byte;
        } else {
          *out << "\\x" << std::hex << static_cast<int>(byte) << std::dec;
        }
      }
      *out << '"';
    }
  };

  struct WideValue {
    unsigned long type;
    std::u16string data;

    bool operator==(const WideValue& other) const {
      return type == other.type && data == other.data;
    }
    friend void PrintTo(const WideValue& value, std::ostream* out);
  };

  FakeRegistry();
  ~FakeRegistry() override;

  long OpenKey(platform::RegKey parent, const std::string& path, platform::RegKey* key) override;
  long OpenKeyForRead(platform::RegKey parent, const std::string& path,
                      platform::RegKey* key) override;
  // Succeeds on an existing key unless a "ProbeWrite" fault says otherwise.
  long ProbeWrite(platform::RegKey parent, const std::string& path) override;
  long CreateKey(platform::RegKey parent, const std::string& path, platform::RegKey* key) override;
  long CountSubKeys(platform::RegKey key, unsigned long* count) override;
  long EnumSubKey(platform::RegKey key, unsigned long index, std::size_t capacity,
                  std::string* name) override;
  long QueryValue(platform::RegKey key, const std::string& name, std::size_t capacity,
                  std::string* data, unsigned long* type) override;
  long SetValue(platform::RegKey key, const std::string& name, unsigned long type,
                const std::string& data) override;
  long QueryWideValue(platform::RegKey key, const std::string& name, std::size_t capacity,
                      std::u16string* data, unsigned long* type) override;
  long SetWideValue(platform::RegKey key, const std::string& name, unsigned long type,
                    const std::u16string& data) override;
  long DeleteKey(platform::RegKey parent, const std::string& path) override;
  long CloseKey(platform::RegKey key) override;
  // A file that is not there fails with kErrorFileNotFound, one in use (loaded
  // or marked) with kErrorSharingViolation, a name already below HKEY_USERS
  // with kErrorAlreadyExists (STATUS_OBJECT_NAME_COLLISION), as Windows does.
  long LoadHive(const std::string& name, const std::string& file) override;
  // As Windows: kErrorAccessDenied while a key below the hive is open
  // (STATUS_CANNOT_DELETE), kErrorFileNotFound for a name not below
  // HKEY_USERS, ERROR_INVALID_PARAMETER (87) for a key there that is no
  // hive.
  long UnloadHive(const std::string& name) override;

  void Fail(Fault fault);

  // An empty hive file LoadHive can load; file names compare ignoring ASCII
  // case.
  void AddHiveFile(const std::string& file);
  // The hive file is in use, as the hive of a logged-on user is.
  void MarkHiveInUse(const std::string& file);
  // Whether `name` was loaded through LoadHive and is not unloaded.
  bool HiveLoaded(const std::string& name) const;

  // Arranging and inspecting the store; keys on the path are created.
  void AddKey(platform::RegKey root, const std::string& path);
  void SetString(platform::RegKey root, const std::string& path, const std::string& name,
                 const std::string& text);  // REG_SZ, text and its NUL
  void SetDword(platform::RegKey root, const std::string& path, const std::string& name,
                std::uint32_t value);
  void SetRaw(platform::RegKey root, const std::string& path, const std::string& name,
              unsigned long type, const std::string& bytes);
  void SetWide(platform::RegKey root, const std::string& path, const std::string& name,
               unsigned long type,
               const std::u16string& data);  // as RegSetValueExW stores it
  // A value as the UTF-8 calls and as the UTF-16 calls read it.
  std::optional<Value> GetValue(platform::RegKey root, const std::string& path,
                                const std::string& name) const;
  std::optional<WideValue> GetWideValue(platform::RegKey root, const std::string& path,
                                        const std::string& name) const;
  bool KeyExists(platform::RegKey root, const std::string& path) const;
  base::TextList SubKeyNames(platform::RegKey root, const std::string& path) const;
  base::TextList ValueNames(platform::RegKey root, const std::string& path) const;

  // Handles opened and not yet closed.
  int OpenHandleCount() const;
  // Port calls made so far, the closing of keys left out.
  int CallCount() const { return m_callCount; }
  // Every key's full name (KeyName), parents before their sub-keys.
  base::TextList AllKeys() const;
  // Keys opened (not created) so far.
  int OpenCount() const { return m_openCount; }

 private:
  struct Node;
  struct Stored;
  struct Handle {
    std::shared_ptr<Node> node;
    bool writable;
  };

  long Open(const char* call, platform::RegKey parent, const std::string& path, bool writable,
            platform::RegKey* key);
  long NodeOf(platform::RegKey key, std::shared_ptr<Node>* node) const;
  // A call aimed at parent\path: the start key and the names below it.
  long Target(const char* call, platform::RegKey parent, const std::string& path,
              std::shared_ptr<Node>* start, base::TextList* names);
  // A call on an open key (and one of its values).
  long Subject(const char* call, platform::RegKey key, const std::string& valueName,
               std::shared_ptr<Node>* node);
  // A value set through either family of calls on an open, writable key.
  long Set(platform::RegKey key, const std::string& name, Stored stored);
  // The value to be read through either family of calls on an open key.
  long Get(platform::RegKey key, const std::string& name, const Stored** stored);
  const Stored* FindStored(platform::RegKey root, const std::string& path,
                           const std::string& name) const;
  platform::RegKey NewHandle(std::shared_ptr<Node> node, bool writable);
  // The key `names` below `node`, or null when one of them is missing.
  static std::shared_ptr<Node> Descend(std::shared_ptr<Node> node, const base::TextList& names);
  std::shared_ptr<Node> RootNode(platform::RegKey root) const;
  std::shared_ptr<Node> Find(platform::RegKey root, const std::string& path) const;
  std::shared_ptr<Node> MakePath(platform::RegKey root, const std::string& path);
  // Whether a handle is open on `node` or a key below it.
  bool OpenBelow(const Node* node) const;

  struct HiveFile {
    std::shared_ptr<Node> root;  // the hive's keys, kept while unloaded
    bool inUse = false;
  };

  std::shared_ptr<Node> m_localMachine;
  std::shared_ptr<Node> m_otherView;
  std::shared_ptr<Node> m_currentUser;
  std::shared_ptr<Node> m_users;
  std::map<std::string, HiveFile> m_hiveFiles;  // by upper-cased file name
  std::map<std::string, std::string> m_loaded;  // upper-cased name -> its file's key
  std::map<platform::RegKey, Handle> m_handles;
  platform::RegKey m_nextHandle = 0x100;
  int m_openCount = 0;
  int m_callCount = 0;
  FaultPlan m_faults{{"OpenKey", "OpenKeyForRead", "ProbeWrite", "CreateKey", "CountSubKeys",
                      "EnumSubKey", "QueryValue", "SetValue", "DeleteKey", "LoadHive",
                      "UnloadHive"}};
};
