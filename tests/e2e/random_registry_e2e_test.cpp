// SetUp.exe started on random AutoCAD registries, one per seed: deep and
// wide trees, names with Chinese characters whose GBK form has '\' or '|' as
// its second byte,
// names as long as the registry allows, values longer than the program
// reads, of the wrong type or without their terminating NUL. Each time the
// dialog must show and close on Cancel. SETUP_RANDOM_SEEDS sets how many
// seeds (24 by default), SETUP_FIRST_SEED the first one.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <random>
#include <string>

#include "e2e/harness/setup_fixture.h"

namespace {

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
  constexpr DWORD kCapacity = 16;
  wchar_t text[kCapacity] = L"";
  const DWORD length = GetEnvironmentVariableW(Widened(name).c_str(), text, kCapacity);
  return length > 0 && length < kCapacity ? std::wcstoul(text, nullptr, 10) : fallback;
}

class RandomTree {
 public:
  explicit RandomTree(unsigned seed) : m_random(seed) {}
  int keys() const { return m_keys; }

  void Grow(const std::string& path, int depth) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widened(path).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    ++m_keys;
    if (Chance(30)) SetValue(key, "AcadLocation", "C:\\Program Files\\AutoCAD " + Digits(4));
    if (Chance(30)) SetValue(key, "ProductName", "AutoCAD " + std::to_string(2000 + Below(30)));
    RegCloseKey(key);
    const int children = depth >= 6 ? 0 : static_cast<int>(Below(depth < 2 ? 6 : 3));
    for (int i = 0; i < children; ++i) Grow(path + "\\" + Name(), depth + 1);
  }

 private:
  bool Chance(unsigned percent) { return Below(100) < percent; }
  unsigned Below(unsigned bound) { return static_cast<unsigned>(m_random() % bound); }
  std::string Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Below(10));
    return digits;
  }

  std::string Name() {
    switch (Below(6)) {
      case 0:
        return "R" + Digits(2) + "." + Digits(1);
      case 1:
        return "ACAD-" + Digits(4) + ":804";
      case 2:  // characters whose GBK forms end in '\' (0x955C) and '|' (0x817C)
        return "昞" + Digits(2) + "亅";
      case 3:
        return std::string(255, static_cast<char>('a' + Below(26)));
      default:
        return "K" + Digits(3);
    }
  }

  // Text as it comes, or too long, of the wrong type, or without its NUL.
  void SetValue(HKEY key, const char* name, const std::string& value) {
    std::wstring text = Widened(value);
    DWORD type = REG_SZ;
    DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    switch (Below(6)) {
      case 0:
        text = std::wstring(300, L'x');
        size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        break;
      case 1:
        type = REG_DWORD;
        size = 4;
        break;
      case 2:
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));  // no terminating NUL
        break;
      default:
        break;
    }
    text.resize(std::max<std::size_t>(text.size() + 1, 2), L'\0');
    RegSetValueExW(key, Widened(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(text.data()),
                   size);
  }

  std::mt19937 m_random;
  int m_keys = 0;
};

TEST_F(SetupTest, ShowsItsDialogAndClosesOnCancelOnRandomRegistries) {
  const unsigned first = EnvironmentNumber("SETUP_FIRST_SEED", 1);
  const unsigned seeds = EnvironmentNumber("SETUP_RANDOM_SEEDS", 24);
  for (unsigned seed = first; seed < first + seeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const ScratchAcadRegistry registry;  // emptied now, removed at the end of the seed
    RandomTree tree(seed);
    for (const char* base : {kAcadBaseKey, kAcadWow64BaseKey}) {
      for (int release = 0; release < 3; ++release)
        tree.Grow(base + std::string("\\R") + std::to_string(17 + release) + ".0", 1);
    }
    ASSERT_GT(tree.keys(), 6) << "nothing below the release keys";
    ASSERT_NE(nullptr, Start().hwnd());
    ASSERT_TRUE(dialog_.PostClick(IDCANCEL));
    ASSERT_TRUE(process_->WaitForExit());
    EXPECT_EQ(0u, process_->ExitCode());
  }
  std::printf("random registries: %u seeds from %u\n", seeds, first);
}

}  // namespace
