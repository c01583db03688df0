#include "platform/error_text.h"

#include "platform/file_system_port.h"

namespace platform {

namespace {

constexpr long kFilenameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

}  // namespace

std::string ErrorText(long error) {
  const std::string code = "错误 " + std::to_string(error);
  switch (error) {
    case kFileAccessDenied:
      return "拒绝访问，" + code;
    case kFileNotFound:
    case kPathNotFound:
      return "找不到文件或路径，" + code;
    case kSharingViolation:
      return "文件正在使用，" + code;
    case kFilenameTooLong:
      return "路径过长，" + code;
    default:
      return code;
  }
}

}  // namespace platform
