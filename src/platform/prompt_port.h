#pragma once
// Message boxes, owned by the program's active window (the dialog or picker
// that is open at the time). Texts are UTF-8, the program's own, shown
// through the wide call whatever the code page.

#include <string>

namespace platform {

// MessageBoxW styles and answers used by the program.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbAbortRetryIgnore = 0x2;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;

constexpr int kIdOk = 1;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class PromptPort {
 public:
  virtual ~PromptPort() = default;
  // MessageBoxW(active window, text, caption, style): the button chosen.
  virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

}  // namespace platform
