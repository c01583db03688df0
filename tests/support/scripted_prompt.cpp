#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <ostream>

bool operator==(const PromptCall& a, const PromptCall& b) {
  return a.text == b.text && a.caption == b.caption && a.style == b.style;
}

void PrintTo(const PromptCall& call, std::ostream* out) {
  *out << "{\"" << call.text << "\", \"" << call.caption << "\", " << call.style << "}";
}

int ScriptedPrompt::Show(const std::string& text, const std::string& caption, unsigned style) {
  m_calls.push_back({text, caption, style});
  if (m_answers.empty()) {
    ADD_FAILURE() << "A message box was shown with no scripted answer: " << text;
    return 0;
  }
  Scripted next = std::move(m_answers.front());
  m_answers.pop_front();
  if (next.onAnswer) next.onAnswer();
  return next.answer;
}

void ScriptedPrompt::Answer(int answer, std::function<void()> onAnswer) {
  m_answers.push_back({answer, std::move(onAnswer)});
}
