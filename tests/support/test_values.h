#pragma once
// What several tests spell alike: the program's message texts as a user
// reads them, a path in a folder, and ticks from release years.

#include <initializer_list>
#include <string>
#include <vector>

#include "base/release_years.h"

constexpr char kSetupBoxCaption[] = "B-软件安装";
constexpr char kNoPayloadText[] =
    "未找到安装所需的Data文件夹 !\n\n可能安装文件下载后没有解压，\n\n请解压后再执行SetUp.exe !";
// Follows the destination path in the copy-failure message.
constexpr char kCopyFailureReasons[] =
    " 失败，可能原因如下：\n\n1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理者权限登陆系统";

inline std::string CopyFailedText(const std::string& destination) {
  return "拷贝文件 " + destination + kCopyFailureReasons;
}

// Product keys of AutoCAD 2010 and 2014, below HKEY_LOCAL_MACHINE.
constexpr char kProduct2010[] = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804";
constexpr char kProduct2014[] = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804";

inline std::string In(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

inline base::ReleaseTicks TicksFor(std::initializer_list<int> years) {
  base::ReleaseTicks ticks{};
  for (int year : years) ticks[base::ReleaseIndex(year)] = 1;
  return ticks;
}

// The last of `items`, or an empty one when there is none: a failing case
// then fails its comparison instead of ending the test program.
template <typename T>
T LastOf(const std::vector<T>& items) {
  return items.empty() ? T{} : items.back();
}
