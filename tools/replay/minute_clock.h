// Times as whole minutes since 1899-12-30 00:00, the host's day zero, and their texts.
#pragma once

#include <string>

// The minute a time lies in: 12:03:59 is 12:03.
long long MinuteOf(double days);

long long HourOf(long long minute);  // whole hours since day zero

std::string MinuteText(long long minute);  // "2025-03-15 1203"
std::string HourText(long long hour);      // "2025-03-15T12"
