// The Cabrillo log being prepared: its header fields as the operator confirmed them, its file
// name and its QSO lines; and the soapbox's stored form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

struct CabrilloLog {
  // As the dialog shows them: the soapbox with real line breaks, the address with its "<CR>"
  // markers. The writer turns both into tagged lines.
  CabrilloHeaderFields header;
  std::string fileBase;                // e.g. "AB_N0CALL_P": the file is fileBase + ".cbr"
  std::vector<std::string> qsoLines;  // complete "QSO: ..." lines with CR LF
};

// The soapbox as stored: "<CR>" for every carriage return, "<LF>" for every line feed.
std::string EncodeSoapbox(std::string_view soapbox);
std::string DecodeSoapbox(std::string_view stored);
