// Dialogs without a screen: an operator who presses OK and changes nothing, unless a test has
// scripted another answer. Message box texts go to standard error; the last is kept.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "dialogs.h"

class HeadlessDialogs : public Dialogs {
 public:
  // Each answer edits the fields (or the box state) and says whether OK was pressed.
  std::deque<std::function<bool(CabrilloHeaderFields&)>> headerAnswers;
  std::deque<std::function<bool(int&)>> setupAnswers;
  int headerShown = 0;
  int setupShown = 0;
  int messagesShown = 0;
  std::string lastMessage;  // "caption: text" of the last box shown: a long run keeps no more
  // Runs while the message box is up, as the host's messages do while a real one pumps them.
  std::function<void()> whileMessageShown;

  bool EditCabrilloHeader(CabrilloHeaderFields& fields) override;
  bool EditSetup(int& checked) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
};
