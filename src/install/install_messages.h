#pragma once

namespace install {

// The installation engine's message texts and the caption of its boxes.

constexpr char kSetupCaption[] = "B-软件安装";

constexpr char kNoPayloadMessage[] =
    "未找到安装所需的Data文件夹 !\n\n可能安装文件下载后没有解压，\n\n请解压后再执行SetUp.exe !";

// Put around the destination path of a file that could not be copied.
constexpr char kCopyFailedBefore[] = "拷贝文件 ";
constexpr char kCopyFailedAfter[] =
    " 失败，可能原因如下：\n\n1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理者权限登陆系统";

constexpr char kAcadRunningMessage[] = "请关闭AutoCAD后再进行安装 !";

constexpr char kInvalidFolderMessage[] =
    "安装路径无效 !\n\n请选择一个有效的安装目录（路径不能为空，也不能过长）。";

}  // namespace install
