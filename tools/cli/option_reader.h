// Command-line words read as options: "--name value" or "--name=value", flags, and other words.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class OptionReader {
 public:
  explicit OptionReader(const std::vector<std::string>& args) : args_(args) {}

  // Moves to the next word; false when there is none.
  bool Next();
  // The option's name without an "=value" ("--out"), or the word itself when it is no option.
  const std::string& name() const { return name_; }
  // The option's value, after "=" or as the next word. Throws UsageError when there is none.
  std::string Value();
  // For a flag. Throws UsageError when it was given a value with "=".
  void NoValue() const;

 private:
  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
  std::string name_;
  std::optional<std::string> inlineValue_;
};
