// Only words that begin with "--" carry an "=value": a file name may hold "=".
#include "option_reader.h"

bool OptionReader::Next() {
  if (next_ >= args_.size()) return false;
  name_ = args_[next_++];
  inlineValue_.reset();
  if (name_.starts_with("--") && name_.find('=') != std::string::npos) {
    inlineValue_ = name_.substr(name_.find('=') + 1);
    name_.erase(name_.find('='));
  }
  return true;
}

std::string OptionReader::Value() {
  if (inlineValue_) return *inlineValue_;
  if (next_ >= args_.size()) throw UsageError(name_ + " needs a value");
  return args_[next_++];
}

void OptionReader::NoValue() const {
  if (inlineValue_) throw UsageError(name_ + " takes no value");
}
