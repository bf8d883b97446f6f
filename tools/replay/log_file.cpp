// Which reader a log needs, told from its first bytes rather than its name.
#include "log_file.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "adif_log.h"
#include "cabrillo_log.h"
#include "host_form.h"

LogFile ParseLogText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string opening = Trimmed(text.substr(0, 64));
  LogFile log =
      SameLetters(std::string_view(opening).substr(0, 13), "START-OF-LOG:") ? ReadCabrilloLog(text) : ReadAdifLog(text);
  std::stable_sort(log.problems.begin(), log.problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return log;
}

LogFile ReadLogFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  std::ifstream in(path, std::ios::binary);
  if (error || !in) throw std::runtime_error(path.string() + ": cannot be read");
  // One allocation of the file's size: a 32-bit host process has little room for a long log.
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
    throw std::runtime_error(path.string() + ": read error");
  }
  return ParseLogText(text);
}
