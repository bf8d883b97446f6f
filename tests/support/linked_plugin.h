// The plug-in's own exports, linked into the test, seen as the host sees them, so that the tests
// that call the library directly make the same named calls (tools/host/host_calls.h) as those
// that load it. tests/abi/host_view_check.cpp proves the two views agree.
#pragma once

#include "entry_points.h"

const StatsEntryPoints& LinkedPlugin();
