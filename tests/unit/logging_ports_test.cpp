#include "platform/logging_ports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scoped_key.h"
#include "support/fake_file_system.h"
#include "support/fake_registry.h"
#include "support/scripted_prompt.h"

using platform::LoggingFileSystem;
using platform::LoggingPrompt;
using platform::LoggingRegistry;
using platform::LogTarget;

namespace {

struct Lines : platform::LogSink {
  void Line(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

class LoggingPortsTest : public ::testing::Test {
 protected:
  LoggingPortsTest() {
    files.AddDrive('C');
    files.AddFile("C:\\Data\\a.txt", "a");
    target.Attach(&sink);
  }

  FakeFileSystem files;
  FakeRegistry registry;
  ScriptedPrompt prompt;
  Lines sink;
  LogTarget target;
  LoggingFileSystem loggedFiles{files, target};
  LoggingRegistry loggedRegistry{registry, target};
  LoggingPrompt loggedPrompt{prompt, target};
};

TEST_F(LoggingPortsTest, WritesDownWhatChangesAndEveryFailureWithItsCode) {
  loggedFiles.MakeDir("C:\\Out");
  loggedFiles.MakeDir("C:\\Out");  // there already: nothing to say
  loggedFiles.CreateDir("C:\\Out");
  loggedFiles.CreateDir("C:\\Gone\\Out");
  loggedFiles.CopyOver("C:\\Data\\a.txt", "C:\\Out\\a.txt");
  loggedFiles.CopyOver("C:\\Data\\missing.dll", "C:\\Out\\missing.dll");  // not in the payload
  loggedFiles.CopyOver("C:\\Data\\a.txt", "C:\\Nowhere\\a.txt");
  loggedFiles.MoveOver("C:\\Out\\a.txt", "C:\\Out\\b.txt");
  loggedFiles.MoveOver("C:\\Out\\a.txt", "C:\\Out\\c.txt");
  loggedFiles.MakeDir("C:\\Empty");
  loggedFiles.RemoveDir("C:\\Empty");
  loggedFiles.RemoveDir("C:\\Out");
  std::string text;
  loggedFiles.ReadText("C:\\Out\\b.txt", 10, &text);        // read: nothing to say
  loggedFiles.ReadText("C:\\Out\\missing.log", 10, &text);  // not there: nothing either
  loggedFiles.ReadText("C:\\Out", 10, &text);
  loggedFiles.AppendText("C:\\Out\\setup.log", "line");  // appended: nothing to say
  loggedFiles.AppendText("C:\\Gone\\setup.log", "line");
  {
    const platform::ScopedKey product =
        platform::ScopedKey::Create(loggedRegistry, platform::kHKeyLocalMachine, "SOFTWARE\\P\\");
    const platform::ScopedKey key =
        platform::ScopedKey::Create(loggedRegistry, product.get(), "App");
    loggedRegistry.SetValue(key.get(), "LOADCTRLS", platform::kRegDword,
                            std::string("\x02\0\0\0", 4));
    loggedRegistry.SetValue(key.get(), "LOADER", platform::kRegSz,
                            std::string("C:\\Out\\m.arx") + '\0');
  }
  registry.SetString(platform::kHKeyCurrentUser, "V", "TRUSTEDPATHS", "d:\\tools");
  {
    const platform::ScopedKey key =
        platform::ScopedKey::Open(loggedRegistry, platform::kHKeyCurrentUser, "V");
    loggedRegistry.SetWideValue(key.get(), "TRUSTEDPATHS", platform::kRegSz,
                                u"D:\\TOOLS;C:\\\u4E2D\0");
  }
  registry.Fail(Fault("CreateKey", KeyName(platform::kHKeyLocalMachine, "SOFTWARE\\Locked")));
  platform::RegKey locked = 0;
  loggedRegistry.CreateKey(platform::kHKeyLocalMachine, "SOFTWARE\\Locked", &locked);
  loggedRegistry.DeleteKey(platform::kHKeyLocalMachine, "SOFTWARE\\P\\App");
  for (const platform::RegKey view :
       {platform::kHKeyLocalMachine32, platform::kHKeyLocalMachine64}) {
    platform::ScopedKey::Create(loggedRegistry, view, "SOFTWARE\\Q");
    loggedRegistry.DeleteKey(view, "SOFTWARE\\Q");
  }
  registry.AddHiveFile("C:\\Users\\A\\NTUSER.DAT");
  registry.MarkHiveInUse("C:\\Users\\B\\NTUSER.DAT");
  loggedRegistry.LoadHive("S-1-5-21-7", "C:\\Users\\A\\NTUSER.DAT");
  platform::ScopedKey::Create(loggedRegistry, platform::kHKeyUsers, "S-1-5-21-7\\Software");
  loggedRegistry.UnloadHive("S-1-5-21-7");
  loggedRegistry.LoadHive("S-1-5-21-8", "C:\\Users\\B\\NTUSER.DAT");
  loggedRegistry.UnloadHive("S-1-5-21-8");
  prompt.Answer(platform::kIdAbort);
  loggedPrompt.Show("拷贝文件 x 失败\n\n原因", "B", platform::kMbAbortRetryIgnore);

  const std::vector<std::string> expected = {
      "创建文件夹：C:\\Out",
      "未能创建文件夹：C:\\Gone\\Out（找不到文件或路径，错误 3）",
      "复制文件：C:\\Data\\a.txt -> C:\\Out\\a.txt",
      "未复制文件：C:\\Data\\a.txt -> C:\\Nowhere\\a.txt（找不到文件或路径，错误 3）",
      "移动文件：C:\\Out\\a.txt -> C:\\Out\\b.txt",
      "未移动文件：C:\\Out\\a.txt -> C:\\Out\\c.txt（找不到文件或路径，错误 2）",
      "创建文件夹：C:\\Empty",
      "删除文件夹：C:\\Empty",
      "未能删除文件夹：C:\\Out（错误 145）",
      "未能读取文件：C:\\Out（拒绝访问，错误 5）",
      "未能写入文件：C:\\Gone\\setup.log（找不到文件或路径，错误 3）",
      "打开或创建注册表项：HKEY_LOCAL_MACHINE\\SOFTWARE\\P\\",
      "打开或创建注册表项：HKEY_LOCAL_MACHINE\\SOFTWARE\\P\\App",
      "写入注册表值：HKEY_LOCAL_MACHINE\\SOFTWARE\\P\\App\\LOADCTRLS = DWORD 2",
      "写入注册表值：HKEY_LOCAL_MACHINE\\SOFTWARE\\P\\App\\LOADER = \"C:\\Out\\m.arx\"",
      "写入注册表值：HKEY_CURRENT_USER\\V\\TRUSTEDPATHS = \"D:\\TOOLS;C:\\中\"（原为 "
      "\"d:\\tools\"）",
      "未能创建注册表项：HKEY_LOCAL_MACHINE\\SOFTWARE\\Locked（拒绝访问，错误 5）",
      "删除注册表项：HKEY_LOCAL_MACHINE\\SOFTWARE\\P\\App",
      "打开或创建注册表项：HKEY_LOCAL_MACHINE(32)\\SOFTWARE\\Q",
      "删除注册表项：HKEY_LOCAL_MACHINE(32)\\SOFTWARE\\Q",
      "打开或创建注册表项：HKEY_LOCAL_MACHINE(64)\\SOFTWARE\\Q",
      "删除注册表项：HKEY_LOCAL_MACHINE(64)\\SOFTWARE\\Q",
      "加载用户注册表：HKEY_USERS\\S-1-5-21-7（C:\\Users\\A\\NTUSER.DAT）",
      "打开或创建注册表项：HKEY_USERS\\S-1-5-21-7\\Software",
      "卸载用户注册表：HKEY_USERS\\S-1-5-21-7",
      "未能加载用户注册表：HKEY_USERS\\S-1-5-21-8（C:\\Users\\B\\NTUSER.DAT）（文件正在使用，错误 "
      "32）",
      "未能卸载用户注册表：HKEY_USERS\\S-1-5-21-8（找不到文件或路径，错误 2）",
      "消息：拷贝文件 x 失败  原因 -> 3",
  };
  EXPECT_EQ(expected, sink.lines);
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST_F(LoggingPortsTest, WithoutALogEveryCallJustPassesOn) {
  target.Attach(nullptr);
  EXPECT_EQ(0, loggedFiles.MakeDir("C:\\Out"));
  EXPECT_TRUE(loggedFiles.CopyOver("C:\\Data\\a.txt", "C:\\Out\\a.txt"));
  EXPECT_TRUE(loggedFiles.MoveOver("C:\\Out\\a.txt", "C:\\Out\\b.txt"));
  EXPECT_FALSE(loggedFiles.RemoveDir("C:\\Out"));
  EXPECT_TRUE(sink.lines.empty());
}

}  // namespace
