// A contest log as read from an ADIF or Cabrillo file, each QSO already in the host's terms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A QSO's values as the file writes them, before they are put into the host's form.
struct WrittenQso {
  std::string call;                // "dl1abc/p"
  std::string ownCall;             // the QSO line's own call, or ADIF's STATION_CALLSIGN/OPERATOR
  std::string freq;                // Cabrillo "3582" (kHz), ADIF "3.582135" (MHz); empty when none
  std::string band;                // ADIF's BAND as stated, "80M"; empty in a Cabrillo file
  std::string mode;                // Cabrillo "PM", ADIF's MODE "PSK"
  std::string submode;             // ADIF's SUBMODE "PSK63"; empty in a Cabrillo file
  std::string exchSent, exchRcvd;  // "1", "0042", "12A": before padding; empty when none
  std::string text;                // a Cabrillo QSO line as it stands, its line end cut; empty for ADIF
};

struct LogQso {
  std::size_t line = 0;  // where its record starts in the file
  std::string ownCall;   // empty when the record does not say
  std::string call;
  double days = 0.0;  // since 1899-12-30, to the second
  std::uint32_t freqHz = 0;
  std::string band;  // "80m"
  std::string mode;  // "BPSK63" for the contest mode, other modes as the log names them
  std::string rstSent, rstRcvd;
  std::string exchSent, exchRcvd;  // "0012"; empty when the log has none
  std::optional<int> dxccNumber;   // the ADIF entity number, when the log gives one
  std::string continent;           // as the log states it ("EU"); empty when it does not
  WrittenQso written;
};

enum class ProblemKind {
  Oddity,    // read all the same, perhaps with a value guessed
  Skipped,   // a record that could not be replayed
  Excluded,  // a record its operator left out of the score (Cabrillo's X-QSO)
  Layout,    // the file's own structure: a line without a tag, no END-OF-LOG
};

struct Problem {
  std::size_t line = 0;
  std::string message;
  ProblemKind kind = ProblemKind::Oddity;
};

enum class LogFormat { Adif, Cabrillo };

// One tagged line of a Cabrillo file.
struct CabrilloLine {
  std::size_t line = 0;
  std::string tag;    // upper case, "ADDRESS"; empty for a line without a tag
  std::string value;  // as written, blanks around it trimmed; a line without a tag: the whole line.
                      // Empty for QSO lines, whose values are in the log's QSOs
};

struct LogFile {
  LogFormat format = LogFormat::Adif;
  std::vector<LogQso> qsos;
  std::vector<Problem> problems;  // everything odd, each skipped record among them
  std::size_t skipped = 0;        // records that could not be replayed
  std::string ownCall;            // from the file's header, when it has one
  // A Cabrillo file's lines in file order, every occurrence of every tag (QSO, X-QSO and
  // END-OF-LOG included), blank lines left out. Empty for ADIF.
  std::vector<CabrilloLine> cabrilloLines;
};
