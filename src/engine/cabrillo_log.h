// The Cabrillo log being prepared: its header fields as the operator confirmed them, its file
// name and its QSO lines; and the soapbox's stored form.
#pragma once

#include <cstddef>
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

// The QSO lines back to back in pieces of many lines each: a string a line would cost more than
// the line itself, and one string for all would be copied whole each time it grew.
class QsoLines {
 public:
  void push_back(std::string_view line);  // a complete line with its CR LF
  void clear();
  bool empty() const { return pieces_.empty(); }
  std::size_t bytes() const { return bytes_; }
  const std::vector<std::string>& pieces() const { return pieces_; }

 private:
  std::vector<std::string> pieces_;
  std::size_t bytes_ = 0;
};

struct CabrilloLog {
  // As the dialog shows them: the soapbox with real line breaks, the address with its "<CR>"
  // markers. The writer turns both into tagged lines.
  CabrilloHeaderFields header;
  std::string fileBase;  // e.g. "AB_N0CALL_P": the file is fileBase + ".cbr"
  QsoLines qsoLines;
};

// The soapbox as stored: "<CR>" for every carriage return, "<LF>" for every line feed.
std::string EncodeSoapbox(std::string_view soapbox);
std::string DecodeSoapbox(std::string_view stored);
