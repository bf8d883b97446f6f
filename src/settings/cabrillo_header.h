// The Cabrillo log being prepared: its header, confirmed by the operator, and its QSO lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"
#include "settings/settings.h"

struct CabrilloLog {
  // As the dialog shows them: the soapbox with real line breaks, the address with its "<CR>"
  // markers. The writer turns both into tagged lines.
  CabrilloHeaderFields header;
  std::string fileBase;                // e.g. "AB_N0CALL_P": the file is fileBase + ".cbr"
  std::vector<std::string> qsoLines;  // complete "QSO: ..." lines with CR LF
};

// Every occurrence of `search` (non-empty) replaced, left to right, never rescanning a
// replacement.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);

// The call sign made into a file name: "/" and "\" become "_", white space at both ends goes,
// characters a Windows file name cannot hold become "_", and nothing left gives "VEKO".
std::string FileBaseOf(std::string_view callsign);

// The soapbox as stored: "<CR>" for every carriage return, "<LF>" for every line feed.
std::string EncodeSoapbox(std::string_view soapbox);
std::string DecodeSoapbox(std::string_view stored);

// Loads the header from the settings and fixed defaults, lets the operator edit it, and on OK
// stores it and empties the QSO lines. True on OK.
bool EditCabrilloHeader(CabrilloLog& log, std::string_view callsign, Settings& settings, Dialogs& dialogs);
