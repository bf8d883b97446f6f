// Scripted dialogs for builds without the platform's dialog framework.
#include "dialogs_headless.h"

#include <iostream>

bool HeadlessDialogs::EditCabrilloHeader(CabrilloHeaderFields& fields) {
  ++headerShown;
  if (headerAnswers.empty()) return true;
  auto answer = std::move(headerAnswers.front());
  headerAnswers.pop_front();
  // Like the real dialog, fields change only when the operator confirms.
  CabrilloHeaderFields edited = fields;
  if (!answer(edited)) return false;
  fields = edited;
  return true;
}

bool HeadlessDialogs::EditSetup(int& checked) {
  ++setupShown;
  if (setupAnswers.empty()) return true;
  auto answer = std::move(setupAnswers.front());
  setupAnswers.pop_front();
  int box = checked;
  if (!answer(box)) return false;
  checked = box;
  return true;
}

void HeadlessDialogs::ShowMessage(const std::string& text, const std::string& caption) {
  ++messagesShown;
  lastMessage = caption + ": " + text;
  std::cerr << caption << ": " << text << '\n';
  if (whileMessageShown) whileMessageShown();
}
