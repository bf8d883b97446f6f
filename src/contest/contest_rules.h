// The rules of PSK-63-TORVALE, written once for the plug-in and every tool: its name, bands and
// mode, what the plug-in answers a QSO it refuses, the score, and the name of the log file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kContestName = "PSK-63-TORVALE";       // the CONTEST: line
inline constexpr std::string_view kRuleSetName = "PSK-63-TORVALE (C)";  // the host's name of the rule set

// The band slots of the plug-in's per-band tables, in the summary's order.
inline constexpr std::size_t kBandCount = 6;
inline constexpr std::array<std::string_view, kBandCount> BandOrder = {"160m", "80m", "40m", "20m", "15m", "10m"};
// The bands the contest is worked on, as the host names them.
inline constexpr std::array<std::string_view, 2> kContestBands = {"80m", "40m"};
bool IsContestBand(std::string_view band);

// The contest period: it starts at 12:00 UTC and lasts 24 hours; the sponsor names the day.
inline constexpr int kContestStartMinuteOfDay = 12 * 60;
inline constexpr int kContestMinutes = 24 * 60;

// A single-band entry (CATEGORY-BAND "80M" or "40M", any case) is scored on its band alone, named
// as the host names it ("80m"); every other value ("80M-40M", "ALL", none) is scored on both
// bands: empty.
std::string SingleBandOf(std::string_view categoryBand);
// A checklog (CATEGORY-OPERATOR "CHECKLOG") confirms the others' QSOs and is not ranked.
bool IsChecklog(std::string_view categoryOperator);

// The only mode the plug-in stores, and its code on a Cabrillo QSO line.
inline constexpr std::string_view kContestMode = "BPSK63";
inline constexpr std::string_view kCabrilloModeCode = "PM";

// The problem file and the verdict that ends each of its lines.
inline constexpr std::string_view kProblemFileName = "err.txt";
inline constexpr std::string_view kProblemFileTitle = "PSK-TORVALE UBN file \r\n";
inline constexpr std::string_view kVerdictNoContestMode = "   NO CONTEST MODE !!!";
inline constexpr std::string_view kVerdictDupe = "   DUPE !!!";
inline constexpr std::string_view kVerdictNoRxNumber = "   NO RX NUMBER !!!";

// Why the plug-in refuses a QSO, in the order it asks: the mode first, then both serials. It
// stores every other QSO, a dupe too.
enum class QsoRefusal { None, NoContestMode, NoRxNumber };
QsoRefusal RefusalOf(std::string_view mode, std::string_view exchSent, std::string_view exchRcvd);

// One point a QSO; the multiplier is the distinct entities plus the distinct calls, each counted
// per band and summed over the bands.
inline constexpr long long kPointsPerQso = 1;
constexpr long long Score(long long points, long long dxcc, long long newCalls) { return points * (dxcc + newCalls); }
// Every score a sponsor shows is this full figure, in which the QSOs of stations at sea or in the
// air ("/MM", "/AM") and of calls of no known entity count their point but no entity.
inline constexpr std::array<std::string_view, 2> kNoEntitySuffixes = {"MM", "AM"};
// The same in the plug-in's 32-bit arithmetic, which wraps past 2^31 - 1 as it always has.
std::int32_t WrappedScore(std::int32_t points, std::int32_t dxcc, std::int32_t newCalls);
// What the plug-in stores as "Claimed": points times entities, the new calls left out.
std::int32_t WrappedClaimed(std::int32_t points, std::int32_t dxcc);

// The Cabrillo log is named after the call sign: "/" and "\" become "_", white space at both
// ends goes, characters a Windows file name cannot hold become "_", and nothing left gives
// "VEKO". "AB/N0CALL/P" is "AB_N0CALL_P".
std::string FileBaseOf(std::string_view callsign);
inline constexpr std::string_view kCabrilloExtension = ".cbr";
std::string CabrilloFileNameOf(std::string_view callsign);  // "AB_N0CALL_P.cbr"
