// Log values put into the form the host hands them to the plug-in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar.h"

// The band as the host names it: "80m", "40m", lower case whatever the log wrote.
std::string HostBandName(std::string_view logBand);

// The amateur band a frequency lies on, in the host's form; nothing off the bands.
std::optional<std::string> AmateurBandOf(std::uint32_t hz);
// The same as a constant text, empty off the bands.
std::string_view AmateurBandName(std::uint32_t hz);

// A serial number exchange: digits padded with zeros to four, anything else as written (an empty
// one stays empty, so that the plug-in rejects the QSO as the host would).
std::string SerialExchange(std::string_view logExchange);

// A decimal number ("3.5805") scaled by 10^fractionDigits and rounded to a whole unit: MHz with
// 6 gives Hz. Nothing for anything but plain digits with at most one point, or past 32 bits.
std::optional<std::uint32_t> ScaledDecimal(std::string_view text, int fractionDigits);

std::string Trimmed(std::string_view text);
std::string UpperCase(std::string_view text);
bool SameLetters(std::string_view a, std::string_view b);  // ASCII case ignored
