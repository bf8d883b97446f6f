// The header dialog's round trip through the settings file.
#include "settings/cabrillo_header.h"

#include <algorithm>

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement) {
  if (search == replacement || search.empty()) return std::string(text);
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(search, from)) != std::string_view::npos; from = at + search.size()) {
    result.append(text.substr(from, at - from)).append(replacement);
  }
  result.append(text.substr(from));
  return result;
}

std::string FileBaseOf(std::string_view callsign) {
  std::string base = ReplaceAll(ReplaceAll(callsign, "/", "_"), "\\", "_");
  auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  auto first = std::find_if_not(base.begin(), base.end(), space);
  auto last = std::find_if_not(base.rbegin(), base.rend(), space).base();
  base = first < last ? std::string(first, last) : std::string();
  // A ":" would open an alternate data stream; the others are refused by the file system.
  for (char& c : base) {
    if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos) c = '_';
  }
  return base.empty() ? "VEKO" : base;
}

std::string EncodeSoapbox(std::string_view soapbox) {
  return ReplaceAll(ReplaceAll(soapbox, "\r", "<CR>"), "\n", "<LF>");
}

std::string DecodeSoapbox(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r"), "<LF>", "\n");
}

bool EditCabrilloHeader(CabrilloLog& log, std::string_view callsign, Settings& settings, Dialogs& dialogs) {
  CabrilloHeaderFields& h = log.header;
  h.callsign = callsign;
  log.fileBase = FileBaseOf(callsign);
  // One reading of the file for the whole header: a large file costs one pass, not eleven.
  std::vector<std::string> stored = settings.ReadSettings(
      {{"Operators", callsign}, {"Name", ""}, {"Address", ""}, {"Address-City", ""}, {"Address-State", ""},
       {"Address-PostalCode", ""}, {"Address-Country", ""}, {"Claimed", ""}, {"Email", ""}, {"Club", ""},
       {"SoapBox", ""}});
  h.operators = stored[0];
  h.name = stored[1];
  h.address = stored[2];
  h.addressCity = stored[3];
  h.addressState = stored[4];
  h.addressPostalCode = stored[5];
  h.addressCountry = stored[6];
  h.claimed = stored[7];
  // The categories start from the contest's own every time; a choice lasts one run.
  h.contest = "PSK-63-TORVALE ";
  h.categoryOperator = "SINGLE-OP";
  h.categoryBand = "80M-40M";
  h.categoryMode = "BPSK63";
  h.categoryPower = "HIGH";
  h.categoryTransmitter = "ONE";
  h.categoryStation = "FIXED";
  h.categoryAssisted = "NON-ASSISTED";
  h.location = "DX";
  h.email = stored[8];
  h.club = stored[9];
  h.soapbox = DecodeSoapbox(stored[10]);

  CabrilloHeaderFields edited = h;
  if (!dialogs.EditCabrilloHeader(edited)) return false;
  h = edited;

  const std::string soapbox = EncodeSoapbox(h.soapbox);
  settings.WriteSettings({{"Operators", h.operators}, {"Name", h.name}, {"Address", h.address},
                          {"Address-City", h.addressCity}, {"Address-State", h.addressState},
                          {"Address-PostalCode", h.addressPostalCode}, {"Address-Country", h.addressCountry},
                          {"Contest", h.contest}, {"Email", h.email}, {"Club", h.club}, {"Location", h.location},
                          {"SoapBox", soapbox}});
  log.qsoLines.clear();
  return true;
}
