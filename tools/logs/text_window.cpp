#include "text_window.h"

TextWindow::TextWindow(std::string_view text) : size_(text.size()), held_(text) {}

TextWindow::TextWindow(InputFile& file, std::size_t start, std::size_t piece)
    : file_(&file), start_(start), piece_(std::max<std::size_t>(piece, 1)), size_(file.size() - start) {}

bool TextWindow::Fetch() {
  const std::size_t end = HeldEnd();
  if (file_ == nullptr || end == size_) return false;
  const std::size_t count = std::min(piece_, size_ - end);
  buffer_.erase(0, pos_ - base_);
  base_ = pos_;
  const std::size_t kept = buffer_.size();
  buffer_.resize(kept + count);
  file_->Read(start_ + end, buffer_.data() + kept, count);
  held_ = buffer_;
  return true;
}

void TextWindow::MoveBeyond(std::size_t to) {
  do {
    CountLines(std::min(to, HeldEnd()));
  } while (pos_ < to && Fetch());
}

void TextWindow::Hold(std::size_t end) {
  while (HeldEnd() < end && Fetch()) {
  }
}

bool TextWindow::MoveToNext(char c) {
  do {
    // One byte sought by memchr: the readers' scan from tag to tag over the whole file.
    const std::size_t at = held_.find(c, pos_ - base_);
    if (at != npos) {
      CountLines(base_ + at);
      return true;
    }
    CountLines(HeldEnd());
  } while (Fetch());
  return false;
}

void TextWindow::MoveToFirstOf(const ByteSet& bytes) {
  do {
    std::size_t at = pos_;
    while (at < HeldEnd() && !bytes.Has(held_[at - base_])) ++at;
    CountLines(at);
    if (at < HeldEnd()) return;
  } while (Fetch());
}

std::size_t TextWindow::FindFirstOf(const ByteSet& bytes, std::size_t from) {
  do {
    for (; from < HeldEnd(); ++from) {
      if (bytes.Has(held_[from - base_])) return from;
    }
  } while (Fetch());
  return npos;
}

void TextWindow::Rewind() {
  pos_ = 0;
  line_ = 1;
  if (file_ != nullptr) {
    buffer_.clear();
    held_ = {};
    base_ = 0;
  }
}
