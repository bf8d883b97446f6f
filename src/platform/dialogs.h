// The operator's side of the module: the two modal dialogs and the message box.
#pragma once

#include <string>

#include "cabrillo_log.h"

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The modal dialog "PSK-63-TORVALE". True on OK, with the fields as the operator left them;
  // false on CANCEL, the close box or Esc, with the fields untouched.
  virtual bool EditCabrilloHeader(CabrilloHeaderFields& fields) = 0;
  // The modal dialog "Setup PSK-63-TORVALE" with its one check box. True on OK, with `checked`
  // as the box was left (1 or 0); false otherwise, `checked` untouched.
  virtual bool EditSetup(int& checked) = 0;
  // A modal message box with an OK button and the information icon.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};
