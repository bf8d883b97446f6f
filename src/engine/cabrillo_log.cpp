// The soapbox's line breaks stored as markers, so that it fits on one line of the settings file;
// the QSO lines in pieces.
#include "cabrillo_log.h"

#include <algorithm>

#include "line_text.h"

namespace {

// Each new piece is about as large as all before it, up to a size that allocators hand to the
// system and take back on their own (glibc's largest threshold is 32 MB, Windows' far less): a
// long log's lines then leave the process once they are in its file.
constexpr std::size_t kFirstPiece = 64 * 1024;
constexpr std::size_t kLargestPiece = 32 * 1024 * 1024;

}  // namespace

void QsoLines::push_back(std::string_view line) {
  if (pieces_.empty() || pieces_.back().size() + line.size() > pieces_.back().capacity()) {
    pieces_.emplace_back().reserve(std::max(std::clamp(bytes_, kFirstPiece, kLargestPiece), line.size()));
  }
  pieces_.back().append(line);
  bytes_ += line.size();
}

void QsoLines::clear() {
  pieces_.clear();
  bytes_ = 0;
}

std::string EncodeSoapbox(std::string_view soapbox) {
  return ReplaceAll(ReplaceAll(soapbox, "\r", "<CR>"), "\n", "<LF>");
}

std::string DecodeSoapbox(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r"), "<LF>", "\n");
}
