// SetUp.exe as a file: a 32-bit x86 GUI program whose resources hold the
// setup dialog (Chinese, PRC) with its 35 controls, the two bitmaps, the
// window icon and an asInvoker manifest.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "e2e/dialog_template.h"
#include "e2e/setup_driver.h"
#include "ui/setup/win32/resource.h"

namespace {

constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::set<WORD>*>(languages)->insert(language);
  return TRUE;
}

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(SetupExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module_) << SetupExePath();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  // The resource's bytes; empty when it is missing.
  std::string Resource(LPCSTR type, int id) const {
    const HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    const HGLOBAL loaded = found ? LoadResource(module_, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module_, found)) : "";
  }

  std::set<WORD> Languages(LPCSTR type, int id) const {
    std::set<WORD> languages;
    EnumResourceLanguagesA(module_, type, MAKEINTRESOURCEA(id), &CollectLanguage,
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

// The program under test is built for the same machine as this test program.
TEST_F(ResourcesTest, IsAWindowsGuiProgramOfItsBitness) {
  std::ifstream file(SetupExePath(), std::ios::binary);
  const std::string image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GT(image.size(), 0x200u);
  ASSERT_EQ("MZ", image.substr(0, 2));
  DWORD peOffset = 0;
  std::memcpy(&peOffset, image.data() + 0x3C, sizeof(peOffset));
  ASSERT_LT(peOffset + sizeof(IMAGE_NT_HEADERS), image.size());
  IMAGE_NT_HEADERS headers;
  std::memcpy(&headers, image.data() + peOffset, sizeof(headers));
  EXPECT_EQ(IMAGE_NT_SIGNATURE, headers.Signature);
  EXPECT_EQ(kProgramBitness == 64 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386,
            headers.FileHeader.Machine);
  EXPECT_EQ(kProgramBitness == 64 ? IMAGE_NT_OPTIONAL_HDR64_MAGIC : IMAGE_NT_OPTIONAL_HDR32_MAGIC,
            headers.OptionalHeader.Magic);
  EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, headers.OptionalHeader.Subsystem);
}

TEST_F(ResourcesTest, ManifestAsksForTheInvokersRightsOnly) {
  const std::string manifest = Resource(RT_MANIFEST, 1);
  EXPECT_NE(std::string::npos,
            manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"))
      << manifest;
}

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

struct ExpectedControl {
  int id;
  const char* className;
  const char* title;
  short x, y, cx, cy;
  DWORD kind;   // button or static kind (BS_TYPEMASK, SS_TYPEMASK bits)
  DWORD flags;  // further style bits that must be set
  bool visible;
};

const ExpectedControl kControls[] = {
    {IDC_ACAD2007, "BUTTON", "For AutoCAD2007", 18, 81, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2008, "BUTTON", "For AutoCAD2008", 18, 101, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2009, "BUTTON", "For AutoCAD2009", 18, 121, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2010, "BUTTON", "For AutoCAD2010", 18, 141, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2011, "BUTTON", "For AutoCAD2011", 18, 161, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2012, "BUTTON", "For AutoCAD2012", 18, 181, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2013, "BUTTON", "For AutoCAD2013", 104, 81, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2014, "BUTTON", "For AutoCAD2014", 104, 101, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2015, "BUTTON", "For AutoCAD2015", 104, 121, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2016, "BUTTON", "For AutoCAD2016", 104, 141, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2017, "BUTTON", "For AutoCAD2017", 104, 161, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2018, "BUTTON", "For AutoCAD2018", 104, 181, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2019, "BUTTON", "For AutoCAD2019", 190, 61, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2020, "BUTTON", "For AutoCAD2020", 190, 81, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP, true},
    {IDC_ACAD2021, "BUTTON", "For AutoCAD2021", 190, 101, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2022, "BUTTON", "For AutoCAD2022", 190, 121, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2023, "BUTTON", "For AutoCAD2023", 190, 141, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2024, "BUTTON", "For AutoCAD2024", 190, 161, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDC_ACAD2025, "BUTTON", "For AutoCAD2025", 190, 181, 74, 10, BS_AUTOCHECKBOX, WS_TABSTOP,
     true},
    {IDOK, "BUTTON", "安装完成", 110, 214, 63, 14, BS_PUSHBUTTON, 0, false},
    {IDCANCEL, "BUTTON", "取  消", 173, 262, 50, 14, BS_PUSHBUTTON, 0, true},
    {IDC_TITLE, "STATIC", "Brenix批打印软件", 86, 13, 146, 13, SS_CENTER, 0, true},
    {IDC_STATIC, "STATIC", "", 0, 206, 286, 1, SS_ETCHEDHORZ, 0, true},
    {IDC_COMPONENTS_LABEL, "STATIC", "请选择安装组件：", 14, 62, 69, 10, SS_LEFT, 0, true},
    {IDC_STATIC, "STATIC", "", 0, 51, 286, 1, SS_ETCHEDHORZ, 0, true},
    {IDC_STATIC, "STATIC", "#147", 32, 5, 43, 43, SS_BITMAP, 0, true},
    {IDC_INSTALL_PATH, "EDIT", "", 13, 233, 202, 12, 0, ES_AUTOHSCROLL | WS_BORDER, true},
    {IDC_BROWSE, "BUTTON", "浏览...", 221, 231, 51, 13, BS_PUSHBUTTON, 0, true},
    {IDC_PROGRESS, "MSCTLS_PROGRESS32", "Progress1", 13, 236, 256, 6, 0, WS_BORDER, false},
    {IDC_PATH_LABEL, "STATIC", "请选择安装路径：", 14, 215, 71, 9, SS_LEFT, 0, true},
    {IDC_STATIC, "STATIC", "", 0, 255, 286, 1, SS_ETCHEDHORZ, 0, true},
    {IDC_COMPLETION_PICTURE, "STATIC", "#151", 39, 78, 205, 117, SS_BITMAP, 0, false},
    {IDC_INSTALL, "BUTTON", "安  装", 60, 263, 50, 13, BS_PUSHBUTTON, 0, true},
    {IDC_COMPLETION_TEXT, "STATIC", "安装完成！重启CAD，CAD菜单尾会有以下子菜单：", 47, 62, 190, 10,
     SS_CENTER, 0, false},
    {IDC_BITNESS, "STATIC", "(%d位版本)", 86, 33, 146, 13, SS_CENTER, 0, true},
};

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

TEST_F(ResourcesTest, SetupDialogTemplateHoldsThe35ControlsInTabOrder) {
  const std::string data = Resource(RT_DIALOG, IDD_SETUP);
  DialogTemplate dialog;
  ASSERT_TRUE(ParseDialogTemplateEx(data.data(), data.size(), &dialog));
  ASSERT_EQ(std::size(kControls), dialog.items.size());

  for (std::size_t i = 0; i < dialog.items.size(); ++i) {
    const DialogItemTemplate& item = dialog.items[i];
    const ExpectedControl& expected = kControls[i];
    SCOPED_TRACE("control #" + std::to_string(i + 1));
    EXPECT_EQ(static_cast<DWORD>(expected.id), item.id);
    EXPECT_EQ(expected.className, item.className);
    EXPECT_EQ(expected.title, item.title);
    EXPECT_EQ(expected.x, item.x);
    EXPECT_EQ(expected.y, item.y);
    EXPECT_EQ(expected.cx, item.cx);
    EXPECT_EQ(expected.cy, item.cy);
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD), item.style & WS_CHILD);
    EXPECT_EQ(expected.visible, (item.style & WS_VISIBLE) != 0);
    if (item.className == "BUTTON") {
      EXPECT_EQ(expected.kind, item.style & BS_TYPEMASK);
    } else if (item.className == "STATIC") {
      EXPECT_EQ(expected.kind, item.style & SS_TYPEMASK);
    }
    EXPECT_EQ(expected.flags, item.style & expected.flags);
  }
}

}  // namespace
