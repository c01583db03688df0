// The folder picker behind Browse: the shell's folder dialog with the added
// path box, OK checking (and on request creating) the typed folder, and the
// setup dialog taking the accepted folder.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "e2e/harness/setup_fixture.h"
#include "ui/picker/win32/picker_ids.h"
#include "ui/setup/win32/resource.h"

namespace {

constexpr char kPickerCaption[] = "请选择安装目录：";
constexpr char kMessageCaption[] = "SetUp";  // the program file's name
// Start folders that the shell selects reliably. (Wine's shell at times
// cannot select a folder created a moment before, which leaves the box
// empty, as for any start folder it cannot select.)
constexpr char kStableFolder[] = "C:\\windows";
constexpr char kStableSubFolder[] = "C:\\windows\\system32";

bool Exists(const std::string& path) {
  return GetFileAttributesW(Widened(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FolderMessage(const std::string& path, const char* verdict) {
  return "The folder:\n\n" + path + "\n\n" + verdict;
}

// The control that has the keyboard focus in the thread of `window`.
HWND FocusedControl(HWND window) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
  return GetGUIThreadInfo(threadId, &thread) ? thread.hwndFocus : nullptr;
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

LRESULT SendToTree(const WindowDriver& picker, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(picker.Control(ui::kPickerTreeId), message, wParam, lParam, SMTO_ABORTIFHUNG,
                      5000, &result);
  return static_cast<LRESULT>(result);
}

class PickerTest : public SetupTest {
 protected:
  // Starts SetUp.exe with `folder` typed into its path edit and clicks Browse.
  WindowDriver OpenPicker(const std::string& folder) {
    if (!Start().hwnd()) return WindowDriver();
    EXPECT_TRUE(dialog_.SetText(IDC_INSTALL_PATH, folder));
    EXPECT_TRUE(dialog_.PostClick(IDC_BROWSE));
    picker_ = process_->WaitForMessageBox();
    EXPECT_NE(nullptr, picker_.hwnd()) << "the picker did not show";
    return picker_;
  }

  // Types into the picker's path box and clicks its OK; returns the message box shown.
  WindowDriver TypeAndConfirm(const std::string& path) {
    EXPECT_TRUE(picker_.SetText(ui::kPickerPathEditId, path));
    EXPECT_TRUE(picker_.PostClick(ui::kPickerOkId));
    const WindowDriver box = process_->WaitForDialogBesides({picker_.hwnd()});
    EXPECT_NE(nullptr, box.hwnd()) << "no message box after OK";
    return box;
  }

  bool PickerClosed() const {
    return WaitUntil([&] { return !IsWindow(picker_.hwnd()); });
  }

  void ExpectPickerOpenWithFocusInPathBox() const {
    EXPECT_TRUE(IsWindowVisible(picker_.hwnd()));
    EXPECT_TRUE(WaitUntil(
        [&] { return FocusedControl(picker_.hwnd()) == picker_.Control(ui::kPickerPathEditId); }));
  }

  ScratchFolder work_;
  WindowDriver picker_;
};

TEST_F(PickerTest, OpensAtTheTypedFolderWithThePathBoxAboveTheTree) {
  const WindowDriver picker = OpenPicker(kStableFolder);
  ASSERT_NE(nullptr, picker.hwnd());

  EXPECT_EQ(kPickerCaption, picker.Caption());
  ASSERT_TRUE(picker.Exists(ui::kPickerPathEditId));
  EXPECT_TRUE(picker.Visible(ui::kPickerPathEditId));
  EXPECT_FALSE(picker.Visible(ui::kPickerStatusId));
  const RECT box = ScreenRect(picker.Control(ui::kPickerPathEditId));
  const RECT tree = ScreenRect(picker.Control(ui::kPickerTreeId));
  EXPECT_EQ(tree.left, box.left);
  EXPECT_EQ(tree.right, box.right);
  EXPECT_EQ(tree.top - 4, box.bottom);
  EXPECT_EQ(23, box.bottom - box.top);

  EXPECT_EQ(kStableFolder, picker.Text(ui::kPickerPathEditId));
  EXPECT_TRUE(picker.Enabled(ui::kPickerOkId));
}

TEST_F(PickerTest, YesCreatesEveryLevelOfAMissingFolderAndTheDialogTakesIt) {
  ASSERT_NE(nullptr, OpenPicker(work_.path()).hwnd());
  const std::string folder = work_.Child("a\\b\\c");

  const WindowDriver box = TypeAndConfirm(folder);
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(kMessageCaption, box.Caption());
  EXPECT_EQ(FolderMessage(folder, "does not exist. Do you want the folder to be created?"),
            MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDYES));

  EXPECT_TRUE(PickerClosed());
  EXPECT_TRUE(Exists(work_.Child("a\\b\\c")));
  EXPECT_TRUE(WaitUntil([&] { return dialog_.Text(IDC_INSTALL_PATH) == folder; }))
      << dialog_.Text(IDC_INSTALL_PATH);
}

TEST_F(PickerTest, NoKeepsThePickerOpenAndCreatesNothing) {
  ASSERT_NE(nullptr, OpenPicker(work_.path()).hwnd());

  const WindowDriver box = TypeAndConfirm(work_.Child("missing"));
  ASSERT_NE(nullptr, box.hwnd());
  ASSERT_TRUE(Answer(box, IDNO));

  ExpectPickerOpenWithFocusInPathBox();
  EXPECT_FALSE(Exists(work_.Child("missing")));
  EXPECT_EQ(nullptr, process_->WaitForDialogBesides({picker_.hwnd()}, 0).hwnd())
      << "no further message";
}

TEST_F(PickerTest, InvalidPathsAreReportedWholeAndKeepThePickerOpen) {
  ASSERT_NE(nullptr, OpenPicker(work_.path()).hwnd());
  // The second is longer than a path may be: it must not pass cut short.
  for (const std::string& path : {std::string("C:\\a?b"), work_.Child(std::string(300, 'x'))}) {
    const WindowDriver box = TypeAndConfirm(path);
    ASSERT_NE(nullptr, box.hwnd());
    EXPECT_EQ(FolderMessage(path, "is invalid. Please reenter."), MessageBoxText(box));
    ASSERT_TRUE(Answer(box, IDOK));
    ExpectPickerOpenWithFocusInPathBox();
  }
}

TEST_F(PickerTest, FolderThatCannotBeCreatedIsReportedAndKeepsThePickerOpen) {
  ASSERT_TRUE(work_.AddFile("file", ""));
  ASSERT_NE(nullptr, OpenPicker(work_.path()).hwnd());
  const std::string folder = work_.Child("file\\sub");

  const WindowDriver question = TypeAndConfirm(folder);
  ASSERT_NE(nullptr, question.hwnd());
  ASSERT_TRUE(Answer(question, IDYES));
  const WindowDriver box = process_->WaitForDialogBesides({picker_.hwnd()});
  ASSERT_NE(nullptr, box.hwnd());
  EXPECT_EQ(FolderMessage(folder, "can not be created. Please double check."), MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));

  ExpectPickerOpenWithFocusInPathBox();
}

TEST_F(PickerTest, OkFollowsWhetherThePathBoxHoldsText) {
  const WindowDriver picker = OpenPicker(work_.path());
  ASSERT_NE(nullptr, picker.hwnd());

  ASSERT_TRUE(picker.SetText(ui::kPickerPathEditId, ""));
  EXPECT_FALSE(picker.Enabled(ui::kPickerOkId));
  ASSERT_TRUE(picker.SetText(ui::kPickerPathEditId, "x"));
  EXPECT_TRUE(picker.Enabled(ui::kPickerOkId));
}

TEST_F(PickerTest, TreeSelectionFillsThePathBoxOnlyForDriveFolders) {
  const WindowDriver picker = OpenPicker(kStableSubFolder);
  ASSERT_NE(nullptr, picker.hwnd());
  ASSERT_EQ(kStableSubFolder, picker.Text(ui::kPickerPathEditId));

  // The parent folder of the selection.
  const LPARAM selected = SendToTree(picker, TVM_GETNEXTITEM, TVGN_CARET, 0);
  LPARAM item = SendToTree(picker, TVM_GETNEXTITEM, TVGN_PARENT, selected);
  ASSERT_NE(0, item);
  SendToTree(picker, TVM_SELECTITEM, TVGN_CARET, item);
  EXPECT_EQ(kStableFolder, picker.Text(ui::kPickerPathEditId));
  EXPECT_TRUE(picker.Enabled(ui::kPickerOkId));

  // The computer node: the item on the way up just below the desktop.
  while (LPARAM up = SendToTree(picker, TVM_GETNEXTITEM, TVGN_PARENT, item)) {
    if (SendToTree(picker, TVM_GETNEXTITEM, TVGN_PARENT, up) == 0) break;
    item = up;
  }
  SendToTree(picker, TVM_SELECTITEM, TVGN_CARET, item);
  EXPECT_EQ("", picker.Text(ui::kPickerPathEditId));
  EXPECT_FALSE(picker.Enabled(ui::kPickerOkId));
}

TEST_F(PickerTest, CancelKeepsTheTypedFolderAndInstallFollowsTheBoxes) {
  ASSERT_TRUE(registry_.AddInstallation(SampleInstallation(2014)));
  const std::string typed = work_.Child("typed");
  ASSERT_NE(nullptr, OpenPicker(typed).hwnd());
  // Unticked behind the dialog's back: only the re-evaluation after Browse
  // can disable Install.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(dialog_.Control(IDC_ACAD2014), BM_SETCHECK, BST_UNCHECKED, 0,
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_TRUE(dialog_.Enabled(IDC_INSTALL));

  ASSERT_TRUE(picker_.PostClick(IDCANCEL));
  EXPECT_TRUE(PickerClosed());
  EXPECT_TRUE(WaitUntil([&] { return !dialog_.Enabled(IDC_INSTALL); }));
  EXPECT_EQ(typed, dialog_.Text(IDC_INSTALL_PATH));
  EXPECT_FALSE(Exists(typed));
}

TEST_F(PickerTest, WithoutAnyReleaseBrowseWorksAndInstallStaysDisabled) {
  ASSERT_NE(nullptr, OpenPicker(kStableFolder).hwnd());
  EXPECT_FALSE(dialog_.Enabled(IDC_INSTALL));

  // An existing folder is taken without a question.
  ASSERT_TRUE(picker_.SetText(ui::kPickerPathEditId, kStableSubFolder));
  ASSERT_TRUE(picker_.PostClick(ui::kPickerOkId));
  EXPECT_TRUE(PickerClosed());
  EXPECT_TRUE(WaitUntil([&] { return dialog_.Text(IDC_INSTALL_PATH) == kStableSubFolder; }));
  EXPECT_FALSE(dialog_.Enabled(IDC_INSTALL));
}

}  // namespace
