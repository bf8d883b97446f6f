// The Cabrillo header: loaded from the settings, confirmed by the operator, stored again.
#pragma once

#include <string>
#include <string_view>

#include "cabrillo_log.h"
#include "dialogs.h"
#include "settings.h"

// Loads the header from the settings and fixed defaults, lets the operator edit it, and on OK
// stores it and empties the QSO lines. True on OK.
bool EditCabrilloHeader(CabrilloLog& log, std::string_view callsign, Settings& settings, Dialogs& dialogs);
