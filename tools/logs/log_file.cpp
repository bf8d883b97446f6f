// Which reader a log needs, told from its first bytes rather than its name.
#include "log_file.h"

#include <algorithm>

#include "adif_log.h"
#include "cabrillo_reader.h"
#include "host_form.h"
#include "text_decoding.h"
#include "text_files.h"

LogFile ParseLogText(std::string_view text) {
  const DecodedText decoded(text);
  text = decoded.view();
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string opening = Trimmed(text.substr(0, 64));
  LogFile log =
      SameLetters(std::string_view(opening).substr(0, 13), "START-OF-LOG:") ? ReadCabrilloLog(text) : ReadAdifLog(text);
  std::stable_sort(log.problems.begin(), log.problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return log;
}

LogFile ReadLogFile(const std::filesystem::path& path) { return ParseLogText(ReadTextFile(path)); }
