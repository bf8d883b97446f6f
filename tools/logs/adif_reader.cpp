// Tags are "<NAME>", "<NAME:LENGTH>" or "<NAME:LENGTH:TYPE>"; the value is exactly LENGTH bytes
// after the tag, and whatever stands between a value and the next "<" is ignored.
#include "adif_reader.h"

#include <algorithm>
#include <optional>

#include "host_form.h"

namespace {

struct Tag {
  std::string name;  // upper case
  std::optional<std::size_t> length;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<Tag> ParseTag(std::string_view inside) {
  const std::size_t colon = inside.find(':');
  Tag tag{UpperCase(inside.substr(0, colon)), std::nullopt};
  auto bad = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == ',' || c == '{' || c == '}'; };
  if (tag.name.empty() || std::any_of(tag.name.begin(), tag.name.end(), bad)) return std::nullopt;
  if (colon == std::string_view::npos) return tag;

  std::string_view rest = inside.substr(colon + 1);
  const std::string_view length = rest.substr(0, rest.find(':'));
  if (length.empty() || length.size() > 9 || !std::all_of(length.begin(), length.end(), IsDigit)) return std::nullopt;
  tag.length = std::stoul(std::string(length));
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
  Reader(std::string_view text, const std::function<void(const AdifRecord&)>& take) : text_(text), take_(take) {}

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
    if (!current_.fields.empty()) Skip(current_.line, "the last record is not closed by <EOR>; it is skipped");
    return std::move(out_);
  }

 private:
  // False when nothing more can be read.
  bool ReadTag() {
    const std::size_t tagLine = line_;
    const std::size_t gt = text_.find('>', pos_);
    const std::size_t nextLt = text_.find('<', pos_ + 1);
    if (gt == std::string_view::npos || nextLt < gt) {
      return Broken(tagLine, "a '<' without its '>'");
    }
    const std::string_view inside = text_.substr(pos_ + 1, gt - pos_ - 1);
    const std::optional<Tag> tag = ParseTag(inside);
    if (!tag) return Broken(tagLine, "malformed tag <" + std::string(inside) + ">");

    if (tag->name == "EOR") {
      if (current_.fields.empty()) {
        Skip(tagLine, "a record without fields (<EOR> alone) is skipped");
      } else {
        take_(current_);
        ++records_;
      }
      current_ = {};
      MoveTo(gt + 1);
      return true;
    }
    if (tag->name == "EOH") {
      // Some programs start the file with a header tag all the same: what came before is header.
      if (records_ == 0 && out_.skipped == 0) {
        current_ = {};
      } else {
        Note(tagLine, "<EOH> after the first record is ignored", ProblemKind::Layout);
      }
      MoveTo(gt + 1);
      return true;
    }

    const std::size_t valueStart = gt + 1;
    const std::size_t length = tag->length.value_or(0);
    if (length > text_.size() - valueStart) {
      return Broken(tagLine, "the value of " + tag->name + " runs past the end of the file");
    }
    if (current_.fields.empty()) current_.line = tagLine;
    current_.fields[tag->name] = std::string(text_.substr(valueStart, length));
    MoveTo(valueStart + length);
    return true;
  }

  // The current record is lost: reading resumes after its <EOR>.
  bool Broken(std::size_t line, const std::string& fault) {
    const std::size_t recordLine = current_.fields.empty() ? line : current_.line;
    Skip(line, fault + "; the record from line " + std::to_string(recordLine) + " is skipped");
    current_ = {};
    const std::size_t eor = FindNoCase(text_, "<EOR>", pos_);
    if (eor == std::string_view::npos) return false;
    MoveTo(eor + 5);
    return true;
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
  const std::function<void(const AdifRecord&)>& take_;
  std::size_t records_ = 0;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  AdifRecord current_;
  AdifFaults out_;
};

}  // namespace

AdifFaults ReadAdifRecords(std::string_view text, const std::function<void(const AdifRecord&)>& take) {
  return Reader(text, take).Read();
}
