// The operator's side of the module: the two modal dialogs and the message box.
#pragma once

#include <string>

// The 22 fields of the Cabrillo header dialog, e.g. categoryBand "80M-40M".
struct CabrilloHeaderFields {
  std::string contest;
  std::string callsign;
  std::string claimed;
  std::string categoryOperator;
  std::string categoryAssisted;
  std::string categoryBand;
  std::string categoryMode;
  std::string categoryPower;
  std::string categoryStation;
  std::string categoryTransmitter;
  std::string categoryOverlay;
  std::string name;
  std::string address;  // single line; "<CR>" marks a line end
  std::string addressCity;
  std::string addressState;
  std::string addressPostalCode;
  std::string addressCountry;
  std::string operators;
  std::string club;
  std::string location;
  std::string soapbox;  // multi-line, CR LF between lines
  std::string email;

  bool operator==(const CabrilloHeaderFields&) const = default;
};

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
