// A complete ADIF QSO record as a logger writes it, for the readers' tests.
#pragma once

#include <string>

// `extra` fields go before <EOR>.
inline std::string AdifQsoRecord(const std::string& call = "DL1ABC", const std::string& extra = "") {
  return "<CALL:" + std::to_string(call.size()) + ">" + call +
         " <QSO_DATE:8>20250315 <TIME_ON:6>120312 <BAND:3>80M <FREQ:8>3.582135 <MODE:3>PSK <SUBMODE:5>PSK63 "
         "<RST_SENT:3>599 <RST_RCVD:3>579 <STX:1>7 <SRX:2>42 " +
         extra + "<EOR>\n";
}
