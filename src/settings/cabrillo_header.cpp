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
  h.operators = settings.ReadSetting("Operators", callsign);
  h.name = settings.ReadSetting("Name", "");
  h.address = settings.ReadSetting("Address", "");
  h.addressCity = settings.ReadSetting("Address-City", "");
  h.addressState = settings.ReadSetting("Address-State", "");
  h.addressPostalCode = settings.ReadSetting("Address-PostalCode", "");
  h.addressCountry = settings.ReadSetting("Address-Country", "");
  h.claimed = settings.ReadSetting("Claimed", "");
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
  h.email = settings.ReadSetting("Email", "");
  h.club = settings.ReadSetting("Club", "");
  h.soapbox = DecodeSoapbox(settings.ReadSetting("SoapBox", ""));

  CabrilloHeaderFields edited = h;
  if (!dialogs.EditCabrilloHeader(edited)) return false;
  h = edited;

  settings.WriteSetting("Operators", h.operators);
  settings.WriteSetting("Name", h.name);
  settings.WriteSetting("Address", h.address);
  settings.WriteSetting("Address-City", h.addressCity);
  settings.WriteSetting("Address-State", h.addressState);
  settings.WriteSetting("Address-PostalCode", h.addressPostalCode);
  settings.WriteSetting("Address-Country", h.addressCountry);
  settings.WriteSetting("Contest", h.contest);
  settings.WriteSetting("Email", h.email);
  settings.WriteSetting("Club", h.club);
  settings.WriteSetting("Location", h.location);
  settings.WriteSetting("SoapBox", EncodeSoapbox(h.soapbox));
  log.qsoLines.clear();
  return true;
}
