#include "e2e/harness/setup_fixture.h"

WindowDriver SetupTest::Start(const std::string& arguments) {
  process_ = std::make_unique<SetupProcess>(distribution_.setupPath(), arguments);
  EXPECT_TRUE(process_->started());
  dialog_ = process_->WaitForDialog();
  EXPECT_NE(nullptr, dialog_.hwnd()) << "the setup dialog did not show";
  return dialog_;
}

bool SetupTest::Answer(const WindowDriver& box, int buttonId) {
  return box.PostClick(buttonId) && WaitUntil([&box] { return !IsWindow(box.hwnd()); });
}
