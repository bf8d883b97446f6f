// The soapbox's line breaks stored as markers, so that it fits on one line of the settings file;
// the QSO lines in pieces.
#include "cabrillo_log.h"

#include <algorithm>

#include "line_text.h"

namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

}  // namespace

void QsoLines::push_back(std::string_view line) {
  if (pieces_.empty() || pieces_.back().size() + line.size() > pieces_.back().capacity()) {
    pieces_.emplace_back().reserve(std::max(kPieceSize, line.size()));
  }
  pieces_.back().append(line);
  bytes_ += line.size();
}

void QsoLines::MoveTo(std::string& text) {
  for (std::string& piece : pieces_) {
    text += piece;
    std::string().swap(piece);
  }
  clear();
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
