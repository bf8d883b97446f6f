// The Cabrillo header: loaded from the settings, confirmed by the operator, stored again.
#pragma once

#include <string>
#include <string_view>

#include "engine/cabrillo_log.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

// The call sign made into a file name: "/" and "\" become "_", white space at both ends goes,
// characters a Windows file name cannot hold become "_", and nothing left gives "VEKO".
std::string FileBaseOf(std::string_view callsign);

// Loads the header from the settings and fixed defaults, lets the operator edit it, and on OK
// stores it and empties the QSO lines. True on OK.
bool EditCabrilloHeader(CabrilloLog& log, std::string_view callsign, Settings& settings, Dialogs& dialogs);
