#include "ui/picker/win32/path_dialog.h"
#include "ui/setup/win32/setup_dialog.h"

using win32::Exchange;

namespace ui {

namespace {

// Caption and prompt of the picker: "choose the installation folder".
constexpr char kPickerTitle[] = "请选择安装目录：";

}  // namespace

// Browse: the picker opens at the folder in the path edit (typed or not) and
// its accepted folder, which exists by then, replaces it.
void SetupDialog::OnBrowse() {
  UpdateData(Exchange::kToMembers);
  const std::string startFolder = m_installPath;
  PathDialog picker(kPickerTitle, kPickerTitle, startFolder.c_str(), m_window);
  if (picker.Browse() == 1) {
    m_installPath = picker.GetChosenPath();
    UpdateData(Exchange::kToControls);
  }
  UpdateInstallButton();
}

}  // namespace ui
