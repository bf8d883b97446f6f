// The operator's dialogs from the DLL's own resource templates, run modally on the calling
// thread (the host's), and the platform's message box.
#pragma once

#include "dialogs.h"

class Win32Dialogs : public Dialogs {
 public:
  bool EditCabrilloHeader(CabrilloHeaderFields& fields) override;
  bool EditSetup(int& checked) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
};
