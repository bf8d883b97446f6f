// The text of every kind of finding, written in one place: what the check prints, what the
// statistics report shows and groups, what the cross-check's station reports quote.
#pragma once

#include <string>
#include <string_view>

#include "finding.h"

// Contester: the check's own lines. Entrant: a station report of the cross-check, which says
// nothing of the tools' inner workings where a kind's text has them beside the fault.
enum class Audience { Contester, Entrant };

// A finding's text in its parts, in order.
class FindingWriter {
 public:
  virtual ~FindingWriter() = default;
  virtual void Words(std::string_view words) = 0;   // the kind's own
  virtual void Quoted(std::string_view value) = 0;  // a value of the log, written 'value'
  virtual void Value(std::string_view value) = 0;   // a value as it stands: a call, a line, a count, a list
};

// Values are handed over as held, control bytes and all.
void WriteFinding(const Finding& finding, FindingWriter& out, Audience audience = Audience::Contester);

// The text, values from the log with their control bytes as \xHH.
std::string FindingText(const Finding& finding, Audience audience = Audience::Contester);

// What keeps a log from being replayed, for NoQsoRead to NoQsoCounts: the text before "; the
// plug-in is not run for this log".
std::string NotReplayedReason(const Finding& finding);
