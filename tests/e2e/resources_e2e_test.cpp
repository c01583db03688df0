// SetUp.exe as a file: a GUI program of its bitness whose resources hold the
// setup dialog (Chinese, PRC), the two bitmaps, the window icon, the version
// (as version.dll reads it) and an asInvoker manifest naming the Windows
// versions it is made for; and the setup dialog's 35 controls as they show.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "e2e/harness/dialog_template.h"
#include "e2e/harness/install_support.h"
#include "e2e/harness/setup_fixture.h"
#include "support/table_rows.h"
#include "ui/setup/win32/release_rows.h"
#include "ui/setup/win32/resource.h"

using ui::ReleaseBoxId;

namespace {

constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// The predefined resource types (RT_DIALOG, ...) are integers: the same in
// both forms of a call.
LPCWSTR ResourceType(LPCSTR type) { return reinterpret_cast<LPCWSTR>(type); }

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::set<WORD>*>(languages)->insert(language);
  return TRUE;
}

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(Widened(SetupExePath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module_) << SetupExePath();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  // The resource's bytes; empty when it is missing.
  std::string Resource(LPCSTR type, int id) const {
    const HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), ResourceType(type));
    const HGLOBAL loaded = found ? LoadResource(module_, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module_, found)) : "";
  }

  std::set<WORD> Languages(LPCSTR type, int id) const {
    std::set<WORD> languages;
    EnumResourceLanguagesW(module_, ResourceType(type), MAKEINTRESOURCEW(id), &CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
  }

  BITMAPINFOHEADER BitmapHeader(int id) const {
    BITMAPINFOHEADER header{};
    const std::string data = Resource(RT_BITMAP, id);
    if (data.size() >= sizeof(header)) std::memcpy(&header, data.data(), sizeof(header));
    return header;
  }

  HMODULE module_ = nullptr;
};

// The program file and its PE headers (the program under test is built for
// the same machine as this test program).
struct Image {
  std::string bytes;
  IMAGE_NT_HEADERS headers{};
  std::size_t sections = 0;  // offset of the section table

  bool Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    DWORD peOffset = 0;
    if (bytes.size() < 0x200 || bytes.substr(0, 2) != "MZ") return false;
    std::memcpy(&peOffset, bytes.data() + 0x3C, sizeof(peOffset));
    if (peOffset + sizeof(headers) > bytes.size()) return false;
    std::memcpy(&headers, bytes.data() + peOffset, sizeof(headers));
    sections = peOffset + offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
               headers.FileHeader.SizeOfOptionalHeader;
    return true;
  }

  // The file offset of a relative virtual address; 0 when no section holds it.
  std::size_t Offset(DWORD rva) const {
    for (WORD i = 0; i < headers.FileHeader.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section;
      const std::size_t at = sections + i * sizeof(section);
      if (at + sizeof(section) > bytes.size()) return 0;
      std::memcpy(&section, bytes.data() + at, sizeof(section));
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
        return rva - section.VirtualAddress + section.PointerToRawData;
      }
    }
    return 0;
  }

  // The names of the DLLs in the import table, upper-cased.
  std::set<std::string> ImportedDlls() const {
    std::set<std::string> names;
    const DWORD table =
        headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (std::size_t at = Offset(table);
         at != 0 && at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= bytes.size();
         at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      IMAGE_IMPORT_DESCRIPTOR import;
      std::memcpy(&import, bytes.data() + at, sizeof(import));
      const std::size_t name = import.Name ? Offset(import.Name) : 0;
      if (name == 0) break;
      names.insert(UpperAscii(bytes.c_str() + name));
    }
    return names;
  }
};

TEST_F(ResourcesTest, IsAWindowsGuiProgramOfItsBitness) {
  Image image;
  ASSERT_TRUE(image.Read(SetupExePath()));
  EXPECT_EQ(IMAGE_NT_SIGNATURE, image.headers.Signature);
  EXPECT_EQ(kProgramBitness == 64 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386,
            image.headers.FileHeader.Machine);
  EXPECT_EQ(kProgramBitness == 64 ? IMAGE_NT_OPTIONAL_HDR64_MAGIC : IMAGE_NT_OPTIONAL_HDR32_MAGIC,
            image.headers.OptionalHeader.Magic);
  EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, image.headers.OptionalHeader.Subsystem);
}

// What the loader resolves before the program's first instruction comes from
// the known DLLs only, which Windows takes from the system folder whatever
// lies beside the program; and the image keeps ASLR and DEP.
TEST_F(ResourcesTest, ImportsOnlyKnownDllsAndKeepsAslrAndDep) {
  Image image;
  ASSERT_TRUE(image.Read(SetupExePath()));
  const std::set<std::string> known = {"ADVAPI32.DLL", "GDI32.DLL",   "KERNEL32.DLL", "MSVCRT.DLL",
                                       "OLE32.DLL",    "SHELL32.DLL", "USER32.DLL"};
  const std::set<std::string> imported = image.ImportedDlls();
  EXPECT_TRUE(imported.count("KERNEL32.DLL")) << "the import table was not read";
  for (const std::string& name : imported) EXPECT_TRUE(known.count(name)) << name;
  const WORD wanted = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
  EXPECT_EQ(wanted, image.headers.OptionalHeader.DllCharacteristics & wanted);
}

TEST_F(ResourcesTest, ManifestAsksForTheInvokersRightsOnly) {
  const std::string manifest = Resource(RT_MANIFEST, 1);
  EXPECT_NE(std::string::npos,
            manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"))
      << manifest;
}

TEST_F(ResourcesTest, ManifestNamesWindows10AmongTheSupportedSystems) {
  const std::string manifest = Resource(RT_MANIFEST, 1);
  EXPECT_NE(std::string::npos,
            manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"))
      << manifest;
}

// ---- The version, as Explorer and the signing tools read it ----------------

// SetUp.exe's version resource, read through version.dll; empty without one.
std::vector<BYTE> VersionInfo() {
  const std::wstring path = Widened(SetupExePath());
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  if (!info.empty() &&
      !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data())) {
    info.clear();
  }
  return info;
}

// One value of the version resource; nullptr when it is missing.
const void* VersionValue(std::vector<BYTE>& info, const std::wstring& name, UINT* size) {
  void* value = nullptr;
  return !info.empty() && VerQueryValueW(info.data(), name.c_str(), &value, size) ? value : nullptr;
}

TEST_F(ResourcesTest, VersionIs2025_3_1_0InOneChinesePrcBlock) {
  std::vector<BYTE> info = VersionInfo();
  UINT size = 0;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(VersionValue(info, L"\\", &size));
  ASSERT_NE(nullptr, fixed) << SetupExePath();
  ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), size);
  constexpr DWORD kHigh = 2025u << 16 | 3, kLow = 1u << 16 | 0;
  EXPECT_EQ(static_cast<DWORD>(VS_FFI_SIGNATURE), fixed->dwSignature);
  EXPECT_EQ(kHigh, fixed->dwFileVersionMS);
  EXPECT_EQ(kLow, fixed->dwFileVersionLS);
  EXPECT_EQ(kHigh, fixed->dwProductVersionMS);
  EXPECT_EQ(kLow, fixed->dwProductVersionLS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

  const auto* translation =
      static_cast<const WORD*>(VersionValue(info, L"\\VarFileInfo\\Translation", &size));
  ASSERT_NE(nullptr, translation);
  ASSERT_EQ(2 * sizeof(WORD), size);
  EXPECT_EQ(kChinesePrc, translation[0]);
  EXPECT_EQ(1200, translation[1]);  // UTF-16
}

struct VersionStringRow {
  const char* name;
  const wchar_t* value;
  PRINTS_ROW_NAME(VersionStringRow)
};

class VersionStringTest : public ::testing::TestWithParam<VersionStringRow> {};

TEST_P(VersionStringTest, StringOfTheChinesePrcBlock) {
  std::vector<BYTE> info = VersionInfo();
  UINT size = 0;
  const auto* value = static_cast<const wchar_t*>(
      VersionValue(info, L"\\StringFileInfo\\080404B0\\" + Widened(GetParam().name), &size));
  ASSERT_NE(nullptr, value) << SetupExePath();
  EXPECT_EQ(std::wstring(GetParam().value), std::wstring(value, wcsnlen(value, size)));
}

INSTANTIATE_TEST_SUITE_P(Resources, VersionStringTest,
                         ::testing::Values(VersionStringRow{"CompanyName", L"Brenix"},
                                           VersionStringRow{"ProductName", L"B-PlotSweep"},
                                           VersionStringRow{"FileDescription",
                                                            L"批打印软件安装程序"},
                                           VersionStringRow{"OriginalFilename", L"SetUp.exe"},
                                           VersionStringRow{"ProductVersion", L"2025.3.1"}),
                         RowName());

TEST_F(ResourcesTest, BitmapsHaveTheirSizesAndColourDepths) {
  const BITMAPINFOHEADER logo = BitmapHeader(IDB_LOGO);
  EXPECT_EQ(64, logo.biWidth);
  EXPECT_EQ(64, logo.biHeight);
  EXPECT_EQ(24, logo.biBitCount);
  const BITMAPINFOHEADER completion = BitmapHeader(IDB_COMPLETION);
  EXPECT_EQ(307, completion.biWidth);
  EXPECT_EQ(175, completion.biHeight);
  EXPECT_EQ(4, completion.biBitCount);
}

TEST_F(ResourcesTest, WindowIconHasSmallAndLargeImages) {
  const std::string group = Resource(RT_GROUP_ICON, IDI_SETUP);
  ASSERT_GE(group.size(), 6u);
  const WORD count = static_cast<BYTE>(group[4]) | static_cast<BYTE>(group[5]) << 8;
  constexpr std::size_t kEntrySize = 14;
  ASSERT_EQ(6 + count * kEntrySize, group.size());
  std::set<int> widths;
  for (WORD i = 0; i < count; ++i) widths.insert(static_cast<BYTE>(group[6 + i * kEntrySize]));
  EXPECT_EQ(std::set<int>({16, 32}), widths);
  EXPECT_FALSE(Resource(RT_GROUP_ICON, IDI_SECOND).empty());
}

TEST_F(ResourcesTest, SetupDialogTemplateIsChinesePrcOnly) {
  EXPECT_EQ(std::set<WORD>({kChinesePrc}), Languages(RT_DIALOG, IDD_SETUP));
}

TEST_F(ResourcesTest, SetupDialogTemplateHasItsFrameCaptionAndFont) {
  const std::string data = Resource(RT_DIALOG, IDD_SETUP);
  DialogTemplate dialog;
  ASSERT_TRUE(ParseDialogTemplateEx(data.data(), data.size(), &dialog));

  EXPECT_EQ("B-批打印软件安装", dialog.title);
  EXPECT_EQ(283, dialog.cx);
  EXPECT_EQ(283, dialog.cy);
  EXPECT_EQ(9, dialog.pointSize);
  EXPECT_EQ("宋体", dialog.typeface);
  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
  EXPECT_EQ(frame, dialog.style & frame);
  EXPECT_FALSE(dialog.style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(static_cast<DWORD>(WS_EX_CLIENTEDGE), dialog.exStyle & WS_EX_CLIENTEDGE);
}

// ---- The setup dialog as it shows ------------------------------------------

// One child window of the live dialog, in tab order.
struct LiveControl {
  HWND hwnd;
  int id;
  DWORD style;
  RECT rect;  // in the dialog's client coordinates
};

std::vector<LiveControl> ControlsOf(HWND dialog) {
  std::vector<LiveControl> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    LiveControl control{
        child, GetDlgCtrlID(child), static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)), {}};
    GetWindowRect(child, &control.rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control.rect), 2);
    controls.push_back(control);
  }
  return controls;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != 0;
}

class SetupDialogTest : public SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_NE(nullptr, Start().hwnd());
    controls_ = ControlsOf(dialog_.hwnd());
  }

  const LiveControl& Control(int id) const {
    static const LiveControl kNone{};
    for (const LiveControl& control : controls_) {
      if (control.id == id) return control;
    }
    ADD_FAILURE() << "no control " << id;
    return kNone;
  }

  std::vector<LiveControl> controls_;
};

// Tab reaches the served release boxes in year order, then the buttons and
// the path box; each control is of the kind a user takes it for.
TEST_F(SetupDialogTest, TabOrderAndKindsOfTheControls) {
  EXPECT_EQ(35u, controls_.size());
  std::vector<int> tabStops;
  for (const LiveControl& control : controls_) {
    if ((control.style & WS_TABSTOP) && IsWindowVisible(control.hwnd))
      tabStops.push_back(control.id);
  }
  std::vector<int> expected;
  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    if (kProgramBitness == 64 || year < 2017) expected.push_back(ReleaseBoxId(year));
  }
  expected.insert(expected.end(), {IDCANCEL, IDC_INSTALL_PATH, IDC_BROWSE, IDC_INSTALL});
  EXPECT_EQ(expected, tabStops);

  for (int year = base::kFirstReleaseYear; year <= base::kLastReleaseYear; ++year) {
    EXPECT_EQ(static_cast<DWORD>(BS_AUTOCHECKBOX), Control(ReleaseBoxId(year)).style & BS_TYPEMASK);
    EXPECT_EQ("For AutoCAD" + std::to_string(year), dialog_.Text(ReleaseBoxId(year)));
  }
  for (int id : {IDOK, IDCANCEL, IDC_BROWSE, IDC_INSTALL}) {
    EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), Control(id).style & BS_TYPEMASK) << id;
  }
  int pictures = 0, separators = 0;
  for (const LiveControl& control : controls_) {
    const DWORD kind = control.style & SS_TYPEMASK;
    if (control.id == IDC_STATIC || control.id == IDC_COMPLETION_PICTURE) {
      pictures += kind == SS_BITMAP;
      separators += kind == SS_ETCHEDHORZ;
    }
    if (kind == SS_BITMAP) {
      DWORD_PTR image = 0;
      SendMessageTimeoutW(control.hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_ABORTIFHUNG, 5000,
                          &image);
      EXPECT_NE(0u, image) << "a picture without its bitmap: " << control.id;
    }
  }
  EXPECT_EQ(2, pictures);
  EXPECT_EQ(3, separators);
  wchar_t className[32] = L"";
  GetClassNameW(Control(IDC_PROGRESS).hwnd, className, 32);
  EXPECT_STREQ(PROGRESS_CLASSW, className);
}

// The release boxes stand in three columns in year order (six, six and
// seven), the separators run from edge to edge, and no visible control
// covers another or leaves the dialog.
TEST_F(SetupDialogTest, LayoutOfTheSettingsView) {
  const int columnStarts[] = {2007, 2013, 2019, base::kLastReleaseYear + 1};
  for (int column = 0; column < 3; ++column) {
    const RECT first = Control(ReleaseBoxId(columnStarts[column])).rect;
    for (int year = columnStarts[column] + 1; year < columnStarts[column + 1]; ++year) {
      const RECT box = Control(ReleaseBoxId(year)).rect;
      const RECT above = Control(ReleaseBoxId(year - 1)).rect;
      EXPECT_EQ(first.left, box.left) << year;
      EXPECT_LT(above.bottom, box.top) << year;
    }
    if (column > 0) {
      EXPECT_LT(Control(ReleaseBoxId(columnStarts[column - 1])).rect.right, first.left) << column;
    }
  }

  RECT client{};
  GetClientRect(dialog_.hwnd(), &client);
  std::vector<LiveControl> shown;
  for (const LiveControl& control : controls_) {
    if (IsWindowVisible(control.hwnd)) shown.push_back(control);
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const RECT& rect = shown[i].rect;
    if ((shown[i].style & SS_TYPEMASK) == SS_ETCHEDHORZ && shown[i].id == IDC_STATIC) {
      EXPECT_TRUE(rect.left <= 0 && rect.right >= client.right) << "a separator short of the edges";
    } else {
      RECT inside;
      EXPECT_TRUE(IntersectRect(&inside, &rect, &client) && EqualRect(&inside, &rect))
          << "control " << shown[i].id << " leaves the dialog";
    }
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      EXPECT_FALSE(Overlap(shown[i].rect, shown[j].rect))
          << "controls " << shown[i].id << " and " << shown[j].id << " overlap";
    }
  }

  // Path box and Browse on one row; Install left of Cancel on the row below.
  const RECT path = Control(IDC_INSTALL_PATH).rect, browse = Control(IDC_BROWSE).rect;
  const RECT install = Control(IDC_INSTALL).rect, cancel = Control(IDCANCEL).rect;
  EXPECT_LT(path.right, browse.left);
  EXPECT_TRUE(path.top < browse.bottom && browse.top < path.bottom);
  EXPECT_LT(install.right, cancel.left);
  EXPECT_TRUE(install.top < cancel.bottom && cancel.top < install.bottom);
  EXPECT_LT(path.bottom, install.top);
}

}  // namespace
