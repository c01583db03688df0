#pragma once
// Message boxes answered from a script: every box shown is recorded, and
// takes the next scripted answer. A box with no answer left is a test
// failure (and answers 0, as a box that could not be shown).

#include <deque>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/prompt_port.h"

struct PromptCall {
  std::string text;
  std::string caption;
  unsigned style;
};
bool operator==(const PromptCall& a, const PromptCall& b);
void PrintTo(const PromptCall& call, std::ostream* out);

class ScriptedPrompt : public platform::PromptPort {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;

  // Queues an answer; `onAnswer` runs when the box takes it (for example to
  // let the user fix what failed before choosing Retry).
  void Answer(int answer, std::function<void()> onAnswer = {});

  const std::vector<PromptCall>& Calls() const { return m_calls; }

 private:
  struct Scripted {
    int answer;
    std::function<void()> onAnswer;
  };
  std::deque<Scripted> m_answers;
  std::vector<PromptCall> m_calls;
};
