#include "platform/error_text.h"

#include "platform/file_system_port.h"

namespace platform {

std::string ErrorText(long error) {
  const std::string code = "错误 " + std::to_string(error);
  switch (error) {
    case kErrorAccessDenied:
      return "拒绝访问，" + code;
    case kErrorFileNotFound:
    case kErrorPathNotFound:
      return "找不到文件或路径，" + code;
    case kErrorSharingViolation:
      return "文件正在使用，" + code;
    case kErrorFilenameTooLong:
      return "路径过长，" + code;
    case kErrorNoUnicodeTranslation:
      return "名称中有无法转换的字符，" + code;
    case kErrorPrivilegeNotHeld:
      return "缺少所需的特权（需以管理员身份运行），" + code;
    default:
      return code;
  }
}

}  // namespace platform
