// One finding of a check: a kind of fault at its line, with its weight and the values its text
// shows. The text itself is written from these by one function (finding_text.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "small_text.h"

// ERROR: the file to be submitted is wrong (for an ADIF log, the Cabrillo file the plug-in writes
// from it). WARNING: a QSO or a point lost, or a fault the sponsor may hold against the log.
// NOTE: worth a look, nothing wrong in itself.
enum class Severity : std::uint8_t { Error, Warning, Note };

// Every fault the check tells. The values each kind holds, in order, are listed beside it.
enum class FindingKind : std::uint8_t {
  // The log as a whole: not replayed, for what the first five say; the plug-in's score.
  NoQsoRead,                   // records skipped
  OnlyExcludedQsos,            // X-QSO lines
  NoQso,
  NoQsoInContestMode,          // QSOs, the modes written ("MODE PSK without SUBMODE")
  NoQsoCounts,                 // QSOs, without a serial; wording::kAlso: in other modes, the modes
  ScoreBeyond32Bits,           // the plug-in's score, points, entities, new calls, the full score
  // The Cabrillo header.
  LineAfterEnd,                // the END-OF-LOG line
  StartNotFirst,
  NoStartOfLog,
  TagMissing,                  // tag
  TagAgainSameValue,           // tag, its first line
  TagAgainOtherValue,          // tag, its first line, this value, the first value
  UnknownTag,                  // tag
  TagAfterQsos,                // tag, the first QSO line
  TagTooOften,                 // tag, which line of it this is, the lines allowed
  VersionNotThree,             // value
  ContestOther,                // value
  CallsignEmpty,
  CallsignNoCall,              // value, what is wrong with it (call_sign.h)
  CallsignNotTheLines,         // value, the QSO lines' own call, QSOs giving it, QSOs giving one
  NotAContestValue,            // tag, value (one of the format's)
  CategoryBandAll,             // CATEGORY-BAND, value: ALL, which the sponsor takes for both bands
  NotAnyValue,                 // tag, value: neither this contest's nor the format's
  NotAFormatValue,             // tag, value
  NotAscii,                    // tag, the first character outside ASCII
  TooLong,                     // tag, its length, the length allowed
  EmailEmpty,
  EmailNoAddress,              // value
  GridNoLocator,               // value
  OperatorsWithCommas,         // value, the calls with blanks
  OperatorsNoCall,             // the word, what is wrong with it
  OffTimeNoBreak,              // value
  OffTimeBackwards,            // value
  ClaimedScoreNoNumber,        // value
  ClaimedScoreWrong,           // value, the plug-in's score
  // A QSO.
  BeforeStart,                 // its time, the start
  AfterEnd,                    // its time, the end
  NotInTimeOrder,              // the later QSO's line and time
  CallNoCall,                  // the call as written, what is wrong with it
  CallIsOwn,                   // the call
  CallLowerCase,               // the call as written, the call replayed
  OwnCallNotTheOthers,         // own call as written, the other lines' own call
  OwnCallNotTheCallsign,       // own call as written, the CALLSIGN
  RecordOwnCallDiffers,        // own call as written, the other records', the one the Cabrillo file gets
  CallIncomplete,              // the call as written
  CallNotKnown,                // the call
  SentNotFourDigits,           // the serial as written
  ReceivedNotFourDigits,       // the exchange as written
  SentNotWrittenWithFour,      // the serial as written, with four digits
  ReceivedNotWrittenWithFour,  // the exchange as written, with four digits
  OffTheBands,                 // band
  NoFrequency,
  FrequencyOnNoBand,           // FREQ as written, BAND as written
  FrequencyOffItsBand,         // FREQ as written, the band it lies on, the QSO's band, kHz
  NoReports,
  Dupe,                        // the line stored first ("?" when none was), call, band; problem lines
  RejectedForMode,             // the mode as written; problem lines
  RejectedNoExchange,          // problem lines
  Refused,                     // problem lines
  // The sent serials.
  SerialBreaksCount,           // serial, the one before, its line, the one after, its line, the one sent here
  SerialSentBefore,            // serial, the line that sent it first
  SerialLower,                 // serial, the one before, its line
  SerialNeverSent,             // serial, the one this QSO sent
  SerialsNeverSent,            // the first serial, the last, the one this QSO sent
  // What the readers and the replay's plan told, in their own words.
  ReadingProblem,              // the reader's text
  EntityNote,                  // the plan's text
};
inline constexpr std::size_t kFindingKinds = static_cast<std::size_t>(FindingKind::EntityNote) + 1;

// Which of its wordings a kind takes, where it has more than one.
namespace wording {
// NoQsoInContestMode, NoQsoCounts, RejectedForMode: an ADIF log, its mode named without the Cabrillo code.
inline constexpr std::uint8_t kAdif = 1;
// NoQsoCounts: QSOs in other modes as well; RejectedForMode: an exchange missing as well.
inline constexpr std::uint8_t kAlso = 2;
// NoReports, RejectedNoExchange: what is missing, one or both (RejectedNoExchange: one at least).
inline constexpr std::uint8_t kNoSent = 1, kNoReceived = 2;
// RecordOwnCallDiffers: the record's OPERATOR, as it has no STATION_CALLSIGN.
inline constexpr std::uint8_t kOperator = 1;
// OffTheBands: the plug-in's summary counts the QSO.
inline constexpr std::uint8_t kCounted = 1;
}  // namespace wording

// What err.txt got for a QSO the plug-in refused or stored as a dupe; the values of such a finding
// end with the number of those lines and the first of them ("problem lines" above).
enum class ProblemLines : std::uint8_t { None, One, Several };

// A long log with a fault a QSO holds a finding a QSO: the values lie packed in one SmallText,
// which holds a serial or a call in place.
struct Finding {
  std::size_t line = 0;  // of the record in the log file; 1 for the file as a whole
  Severity severity = Severity::Note;
  FindingKind kind = FindingKind::ReadingProblem;
  std::uint8_t wording = 0;  // wording::...; 0 for a kind with one wording, as the report groups by it
  ProblemLines problemLines = ProblemLines::None;  // None for the kinds without problem lines
  SmallText values;  // PackValues
};

// The values as a finding holds them: each after its length.
SmallText PackValues(std::initializer_list<std::string_view> values);

inline constexpr std::size_t kMostFindingValues = 8;

// The values of a finding, in order; past the last, empty.
class FindingValues {
 public:
  explicit FindingValues(const Finding& finding);
  std::string_view operator[](std::size_t i) const { return i < count_ ? values_[i] : std::string_view(); }
  std::size_t size() const { return count_; }

 private:
  std::array<std::string_view, kMostFindingValues> values_;
  std::size_t count_ = 0;
};

const char* SeverityName(Severity severity);      // "ERROR", "WARNING", "NOTE"
std::string FindingLine(const Finding& finding);  // "ERROR line 12: ..."

struct FindingCounts {
  std::size_t errors = 0, warnings = 0, notes = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);
std::string CountLine(const FindingCounts& counts);  // "Check: 0 errors, 2 warnings, 12 notes"
