// Tags are "<NAME>", "<NAME:LENGTH>" or "<NAME:LENGTH:TYPE>"; the value is exactly LENGTH bytes
// after the tag, and whatever stands between a value and the next "<" is ignored: only blanks
// belong there, so other text after a wanted field's value means its length is short of it.
#include "adif_reader.h"

#include <algorithm>
#include <optional>

#include "host_form.h"

namespace {

struct Tag {
  std::string_view name;
  std::optional<std::size_t> length;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::optional<Tag> ParseTag(std::string_view inside) {
  const std::size_t colon = inside.find(':');
  Tag tag{inside.substr(0, colon), std::nullopt};
  auto bad = [](char c) { return IsBlank(c) || c == ',' || c == '{' || c == '}'; };
  if (tag.name.empty() || std::any_of(tag.name.begin(), tag.name.end(), bad)) return std::nullopt;
  if (colon == std::string_view::npos) return tag;

  std::string_view rest = inside.substr(colon + 1);
  const std::string_view length = rest.substr(0, rest.find(':'));
  if (length.empty() || length.size() > 9 || !std::all_of(length.begin(), length.end(), IsDigit)) return std::nullopt;
  std::size_t n = 0;
  for (char c : length) n = n * 10 + static_cast<std::size_t>(c - '0');
  tag.length = n;
  return tag;
}

std::size_t FindNoCase(std::string_view text, std::string_view word, std::size_t from) {
  for (std::size_t at = text.find('<', from); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (SameLetters(text.substr(at, word.size()), word)) return at;
  }
  return std::string_view::npos;
}

class Reader {
 public:
  Reader(std::string_view text, std::span<const std::string_view> wanted,
         const std::function<void(const AdifRecord&)>& take)
      : text_(text), wanted_(wanted), take_(take) {
    current_.values.resize(wanted.size());
  }

  AdifFaults Read() {
    // A file that does not open with a tag opens with a header, which <EOH> closes.
    if (!text_.empty() && text_.front() != '<') {
      const std::size_t end = FindNoCase(text_, "<EOH>", 0);
      if (end == std::string_view::npos) {
        Note(1, "the header is not closed by <EOH>; reading records from the first tag", ProblemKind::Layout);
      } else {
        MoveTo(end + 5);
      }
    }
    for (std::size_t lt; (lt = text_.find('<', pos_)) != std::string_view::npos;) {
      MoveTo(lt);
      if (!ReadTag()) break;
    }
    if (fields_ > 0) Skip(current_.line, "the last record is not closed by <EOR>; it is skipped");
    return std::move(out_);
  }

 private:
  // False when nothing more can be read.
  bool ReadTag() {
    const std::size_t tagLine = line_;
    const std::size_t gt = text_.find('>', pos_);
    const std::size_t nextLt = text_.find('<', pos_ + 1);
    if (gt == std::string_view::npos || nextLt < gt) return Broken(tagLine, "a '<' without its '>'");
    const std::string_view inside = text_.substr(pos_ + 1, gt - pos_ - 1);
    const std::optional<Tag> tag = ParseTag(inside);
    if (!tag) return Broken(tagLine, "malformed tag <" + std::string(inside.substr(0, 40)) + ">");

    if (SameLetters(tag->name, "EOR")) {
      if (fields_ == 0) {
        Skip(tagLine, "a record without fields (<EOR> alone) is skipped");
      } else if (!tooLong_.empty()) {
        Skip(current_.line, "record skipped: " + tooLong_);
      } else {
        take_(current_);
        ++records_;
      }
      Clear();
      MoveTo(gt + 1);
      return true;
    }
    if (SameLetters(tag->name, "EOH")) {
      // Some programs start the file with a header tag all the same: what came before is header.
      if (records_ == 0 && out_.skipped == 0) {
        Clear();
      } else {
        Note(tagLine, "<EOH> after the first record is ignored", ProblemKind::Layout);
      }
      MoveTo(gt + 1);
      return true;
    }

    const std::size_t valueStart = gt + 1;
    const std::size_t length = tag->length.value_or(0);
    if (length > text_.size() - valueStart) {
      return Broken(tagLine, "the value of " + UpperCase(tag->name) + " runs past the end of the file");
    }
    if (fields_++ == 0) current_.line = tagLine;
    const auto wanted = std::find_if(wanted_.begin(), wanted_.end(),
                                     [&](std::string_view name) { return SameLetters(name, tag->name); });
    if (wanted != wanted_.end()) {
      if (length > kLongestAdifValue) {
        if (tooLong_.empty()) {
          tooLong_ = UpperCase(tag->name) + " has a value of " + std::to_string(length) +
                     " bytes; no field of a QSO needs more than " + std::to_string(kLongestAdifValue);
        }
      } else {
        const std::string_view value = text_.substr(valueStart, length);
        current_.values[static_cast<std::size_t>(wanted - wanted_.begin())] = value;
        if (current_.cut.empty()) Cut(*wanted, value, valueStart + length);
      }
    }
    MoveTo(valueStart + length);
    return true;
  }

  // Text right after the value, before a blank or the next tag: "<CALL:4>EA5RCG" reads EA5R. Text
  // after a blank is a comment between fields, which ADIF allows.
  void Cut(std::string_view name, std::string_view value, std::size_t after) {
    std::size_t end = after;
    while (end < text_.size() && text_[end] != '<' && !IsBlank(text_[end])) ++end;
    if (end == after) return;
    const std::string_view rest = text_.substr(after, std::min<std::size_t>(end - after, 40));
    current_.cut = std::string(name) + ": its length " + std::to_string(value.size()) + " takes '" +
                   std::string(value) + "', but '" + std::string(rest) +
                   "' follows before the next field; with the whole value the length would be " +
                   std::to_string(value.size() + end - after);
  }

  // The current record is lost: reading resumes after its <EOR>.
  bool Broken(std::size_t line, const std::string& fault) {
    const std::size_t recordLine = fields_ == 0 ? line : current_.line;
    Skip(line, fault + "; the record from line " + std::to_string(recordLine) + " is skipped");
    Clear();
    const std::size_t eor = FindNoCase(text_, "<EOR>", pos_);
    if (eor == std::string_view::npos) return false;
    MoveTo(eor + 5);
    return true;
  }

  void Clear() {
    std::fill(current_.values.begin(), current_.values.end(), std::string_view());
    current_.cut.clear();
    tooLong_.clear();
    fields_ = 0;
  }

  void Skip(std::size_t line, std::string message) {
    ++out_.skipped;
    Note(line, std::move(message), ProblemKind::Skipped);
  }

  void Note(std::size_t line, std::string message, ProblemKind kind) {
    out_.problems.push_back({line, std::move(message), kind});
  }

  void MoveTo(std::size_t to) {
    line_ += static_cast<std::size_t>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                                 text_.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
    pos_ = to;
  }

  std::string_view text_;
  std::span<const std::string_view> wanted_;
  const std::function<void(const AdifRecord&)>& take_;
  std::size_t records_ = 0;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t fields_ = 0;  // of the current record, wanted or not
  AdifRecord current_;
  std::string tooLong_;  // why the current record cannot be taken whole
  AdifFaults out_;
};

}  // namespace

AdifFaults ReadAdifRecords(std::string_view text, std::span<const std::string_view> wanted,
                           const std::function<void(const AdifRecord&)>& take) {
  return Reader(text, wanted, take).Read();
}
