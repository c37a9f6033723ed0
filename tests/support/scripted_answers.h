#pragma once

#include <QStringList>
#include <deque>
#include <vector>

namespace zr::test {

// The answer a fixture scripted for its next question, taken in turn; once
// the script has run out, `otherwise`.
template <typename Answer>
Answer NextAnswer(std::deque<Answer>& script, Answer otherwise) {
  if (script.empty()) return otherwise;
  const Answer answer = script.front();
  script.pop_front();
  return answer;
}

// The texts of the boxes a fixture showed, in order.
template <typename Shown>
QStringList TextsOf(const std::vector<Shown>& shown) {
  QStringList texts;
  for (const Shown& box : shown) texts << box.text;
  return texts;
}

}  // namespace zr::test
