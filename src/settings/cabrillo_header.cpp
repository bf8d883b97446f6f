// The header dialog's round trip through the settings file.
#include "cabrillo_header.h"

#include "categories.h"
#include "contest_rules.h"
#include "setting_keys.h"

namespace {

// The header fields kept in the settings file, in the order they are written: a key missing from
// the file is added at the end in this order. The contest and the location are written but never
// read (the categories start from the contest's own every time); the claimed value is read but
// written by the score request; the soapbox is stored encoded.
struct StoredField {
  std::string_view key;
  std::string CabrilloHeaderFields::*field;
  bool read;
  bool written;
};

constexpr StoredField kStoredFields[] = {
    {"Operators", &CabrilloHeaderFields::operators, true, true},
    {"Name", &CabrilloHeaderFields::name, true, true},
    {"Address", &CabrilloHeaderFields::address, true, true},
    {"Address-City", &CabrilloHeaderFields::addressCity, true, true},
    {"Address-State", &CabrilloHeaderFields::addressState, true, true},
    {"Address-PostalCode", &CabrilloHeaderFields::addressPostalCode, true, true},
    {"Address-Country", &CabrilloHeaderFields::addressCountry, true, true},
    {setting_keys::kClaimed, &CabrilloHeaderFields::claimed, true, false},
    {"Contest", &CabrilloHeaderFields::contest, false, true},
    {"Email", &CabrilloHeaderFields::email, true, true},
    {"Club", &CabrilloHeaderFields::club, true, true},
    {"Location", &CabrilloHeaderFields::location, false, true},
    {"SoapBox", &CabrilloHeaderFields::soapbox, true, true},
};

bool IsSoapbox(const StoredField& f) { return f.field == &CabrilloHeaderFields::soapbox; }

}  // namespace

bool EditCabrilloHeader(CabrilloLog& log, std::string_view callsign, Settings& settings, Dialogs& dialogs) {
  CabrilloHeaderFields& h = log.header;
  h.callsign = callsign;
  log.fileBase = FileBaseOf(callsign);
  // The categories start from the contest's own every time; a choice lasts one run.
  // The dialog's CONTEST field carries a blank after the name, as it always has.
  h.contest = std::string(kContestName) + " ";
  h.categoryOperator = categories::kDefaultOperator;
  h.categoryBand = categories::kDefaultBand;
  h.categoryMode = categories::kDefaultMode;
  h.categoryPower = categories::kDefaultPower;
  h.categoryTransmitter = categories::kDefaultTransmitter;
  h.categoryStation = categories::kDefaultStation;
  h.categoryAssisted = categories::kDefaultAssisted;
  h.location = categories::kDefaultLocation;
  // One reading of the file for the whole header: a large file costs one pass, not eleven.
  std::vector<std::pair<std::string_view, std::string_view>> keys;
  for (const StoredField& f : kStoredFields) {
    // The operators are the call sign until the operator says otherwise.
    if (f.read) keys.emplace_back(f.key, f.field == &CabrilloHeaderFields::operators ? callsign : "");
  }
  std::vector<std::string> stored = settings.ReadSettings(keys);
  std::size_t next = 0;
  for (const StoredField& f : kStoredFields) {
    if (!f.read) continue;
    std::string& value = stored[next++];
    h.*f.field = IsSoapbox(f) ? DecodeSoapbox(value) : std::move(value);
  }

  CabrilloHeaderFields edited = h;
  if (!dialogs.EditCabrilloHeader(edited)) return false;
  h = edited;

  // And one writing of it.
  std::vector<std::string> values;
  std::vector<std::pair<std::string_view, std::string_view>> entries;
  values.reserve(std::size(kStoredFields));
  for (const StoredField& f : kStoredFields) {
    if (!f.written) continue;
    values.push_back(IsSoapbox(f) ? EncodeSoapbox(h.*f.field) : h.*f.field);
    entries.emplace_back(f.key, values.back());
  }
  settings.WriteSettings(entries);
  log.qsoLines.clear();
  return true;
}
