// A contest log as read from an ADIF or Cabrillo file, each QSO already in the host's terms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared_text.h"
#include "small_text.h"

// A QSO's values as the file writes them, before they are put into the host's form. The serials
// as written are LogQso::WrittenSent() and WrittenRcvd().
struct WrittenQso {
  SharedText call;     // "dl1abc/p"
  SharedText ownCall;  // the QSO line's own call, or ADIF's STATION_CALLSIGN/OPERATOR
  SharedText freq;     // Cabrillo "3582" (kHz), ADIF "3.582135" (MHz); empty when none
  SharedText band;     // ADIF's BAND as stated, "80M"; empty in a Cabrillo file
  SharedText mode;     // Cabrillo "PM", ADIF's MODE "PSK"
  SharedText submode;  // ADIF's SUBMODE "PSK63"; empty in a Cabrillo file
  SmallText text;      // a Cabrillo QSO line as it stands, its line end cut; empty for ADIF
};

struct LogQso {
  std::size_t line = 0;  // where its record starts in the file
  SharedText ownCall;    // empty when the record does not say
  SharedText call;       // upper case; the same text as written.call when the log wrote it so
  double days = 0.0;  // since 1899-12-30, to the second
  std::uint32_t freqHz = 0;
  std::uint8_t sentPadding = 0, rcvdPadding = 0;  // zeros the host's form put before the written serials
  bool valueCut = false;             // ADIF: a field's length ended before its value (the reader told it)
  bool ownCallFromOperator = false;  // ADIF: the own call is OPERATOR's, as STATION_CALLSIGN is missing
  SharedText band;                                // "80m"
  SharedText mode;  // "BPSK63" for the contest mode, other modes as the log names them
  SharedText rstSent, rstRcvd;
  SmallText exchSent, exchRcvd;    // "0012"; empty when the log has none
  std::optional<int> dxccNumber;   // the ADIF entity number, when the log gives one
  SharedText continent;            // as the log states it ("EU"); empty when it does not
  WrittenQso written;

  std::string_view WrittenSent() const { return exchSent.view().substr(sentPadding); }  // "1"
  std::string_view WrittenRcvd() const { return exchRcvd.view().substr(rcvdPadding); }
};

// Takes each QSO of a log as it is read, instead of the log's list; the QSO is valid only during
// the call.
using QsoTaker = std::function<void(const LogQso&)>;

enum class ProblemKind {
  Oddity,    // read all the same, perhaps with a value guessed: a hint
  Skipped,   // a record that could not be replayed
  Excluded,  // a record its operator left out of the score (Cabrillo's X-QSO)
  Layout,    // the file's own structure: a line without a tag, no END-OF-LOG
  Fault,     // read, but the file to be submitted has it wrong (for ADIF, the plug-in's Cabrillo file)
  Risk,      // read, but the QSO will likely be lost at the sponsor
  Unreadable,  // the file as a whole: neither format, nothing in it
};

struct Problem {
  std::size_t line = 0;
  std::string message;
  ProblemKind kind = ProblemKind::Oddity;
};

enum class LogFormat { Adif, Cabrillo, Unknown };

// One tagged line of a Cabrillo file.
struct CabrilloLine {
  std::size_t line = 0;
  std::string tag;    // upper case, "ADDRESS"; empty for a line without a tag
  std::string value;  // as written, blanks around it trimmed; a line without a tag: the whole line.
                      // Empty for QSO lines, whose values are in the log's QSOs; a line too long
                      // to be read keeps only its start
};

struct LogFile {
  LogFormat format = LogFormat::Adif;
  std::vector<LogQso> qsos;
  std::vector<Problem> problems;  // everything odd, each skipped record among them, in line order
  std::size_t skipped = 0;        // records that could not be replayed
  std::string ownCall;            // from the file's header, when it has one
  // A Cabrillo file's lines in file order, every occurrence of every tag (QSO, X-QSO and
  // END-OF-LOG included), blank lines left out, and the first line after END-OF-LOG. Empty for ADIF.
  std::vector<CabrilloLine> cabrilloLines;
};
