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

// What ends the text right after a value: the next tag or a blank.
constexpr ByteSet kAfterValueEnds("< \t\n\v\f\r");
constexpr ByteSet kTagEnds("<>");

// The reader stands at a tag's "<" until the tag is read, so the window holds the tag whole; a
// value is copied out or passed over, and only a tag (a few bytes in any log a program writes) is
// ever looked back at.
class Reader {
 public:
  Reader(TextWindow& text, std::span<const std::string_view> wanted, const std::function<void(const AdifRecord&)>& take)
      : text_(text), wanted_(wanted), take_(take) {
    current_.values.resize(wanted.size());
    seen_.resize(wanted.size());
  }

  AdifFaults Read() {
    text_.Rewind();
    // A file that does not open with a tag opens with a header, which <EOH> closes.
    if (text_.size() > 0 && text_.View(0, 1).front() != '<') {
      if (MoveToTag("<EOH>")) {
        text_.MoveTo(text_.pos() + 5);
      } else {
        Note(1, "the header is not closed by <EOH>; reading records from the first tag", ProblemKind::Layout);
        text_.Rewind();
      }
    }
    while (text_.MoveToNext('<')) {
      if (!ReadTag()) break;
    }
    if (fields_ > 0) Skip(current_.line, "the last record is not closed by <EOR>; it is skipped");
    return std::move(out_);
  }

 private:
  // Moves on to the next "<" that opens `word`, in any case; false, at the end, when there is none.
  bool MoveToTag(std::string_view word) {
    for (; text_.MoveToNext('<'); text_.MoveTo(text_.pos() + 1)) {
      if (SameLetters(text_.View(text_.pos(), word.size()), word)) return true;
    }
    return false;
  }

  // False when nothing more can be read.
  bool ReadTag() {
    const std::size_t lt = text_.pos(), tagLine = text_.line();
    const std::size_t gt = text_.FindFirstOf(kTagEnds, lt + 1);
    if (gt == TextWindow::npos || text_.View(gt, 1).front() == '<') return Broken(tagLine, "a '<' without its '>'");
    const std::string_view inside = text_.View(lt + 1, gt - lt - 1);
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
      text_.MoveTo(gt + 1);
      return true;
    }
    if (SameLetters(tag->name, "EOH")) {
      // Some programs start the file with a header tag all the same: what came before is header.
      if (records_ == 0 && out_.skipped == 0) {
        Clear();
      } else {
        Note(tagLine, "<EOH> after the first record is ignored", ProblemKind::Layout);
      }
      text_.MoveTo(gt + 1);
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
      const std::size_t index = static_cast<std::size_t>(wanted - wanted_.begin());
      // A field the record already has opens the next record: the <EOR> between them is missing.
      // The record without its end is lost; the one this field opens is read as usual.
      if (seen_[index]) {
        Skip(current_.line, "a second " + UpperCase(tag->name) + " at line " + std::to_string(tagLine) +
                                ": the record has no <EOR> before the next one; it is skipped");
        Clear();
        fields_ = 1;
        current_.line = tagLine;
      }
      seen_[index] = true;
      if (length > kLongestAdifValue) {
        if (tooLong_.empty()) {
          tooLong_ = UpperCase(tag->name) + " has a value of " + std::to_string(length) +
                     " bytes; no field of a QSO needs more than " + std::to_string(kLongestAdifValue);
        }
      } else {
        // Reading the value may let the tag's bytes go: `inside` and `tag` are not looked at again.
        std::string& value = current_.values[index];
        value.assign(text_.View(valueStart, length));
        text_.MoveTo(valueStart + length);
        if (current_.cut.empty()) Cut(*wanted, value);
        return true;
      }
    }
    text_.MoveTo(valueStart + length);
    return true;
  }

  // Text right after the value, before a blank or the next tag: "<CALL:4>EA5RCG" reads EA5R. Text
  // after a blank is a comment between fields, which ADIF allows. The reader stands after the
  // value and moves over that text, which holds no tag and no line end to be counted.
  void Cut(std::string_view name, std::string_view value) {
    const std::size_t after = text_.pos();
    const std::string_view ahead = text_.View(after, 40);
    std::size_t shown = 0;
    while (shown < ahead.size() && !kAfterValueEnds.Has(ahead[shown])) ++shown;
    if (shown == 0) return;
    const std::string rest(ahead.substr(0, shown));
    text_.MoveToFirstOf(kAfterValueEnds);
    current_.cut = std::string(name) + ": its length " + std::to_string(value.size()) + " takes '" +
                   std::string(value) + "', but '" + rest +
                   "' follows before the next field; with the whole value the length would be " +
                   std::to_string(value.size() + text_.pos() - after);
  }

  // The current record is lost: reading resumes after its <EOR>.
  bool Broken(std::size_t line, const std::string& fault) {
    const std::size_t recordLine = fields_ == 0 ? line : current_.line;
    Skip(line, fault + "; the record from line " + std::to_string(recordLine) + " is skipped");
    Clear();
    if (!MoveToTag("<EOR>")) return false;
    text_.MoveTo(text_.pos() + 5);
    return true;
  }

  void Clear() {
    for (std::string& value : current_.values) value.clear();
    std::fill(seen_.begin(), seen_.end(), false);
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

  TextWindow& text_;
  std::span<const std::string_view> wanted_;
  const std::function<void(const AdifRecord&)>& take_;
  std::size_t records_ = 0;
  std::size_t fields_ = 0;  // of the current record, wanted or not
  AdifRecord current_;
  std::vector<bool> seen_;  // wanted fields the current record has had
  std::string tooLong_;  // why the current record cannot be taken whole
  AdifFaults out_;
};

}  // namespace

AdifFaults ReadAdifRecords(TextWindow& text, std::span<const std::string_view> wanted,
                           const std::function<void(const AdifRecord&)>& take) {
  return Reader(text, wanted, take).Read();
}
