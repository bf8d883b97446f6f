// Text rules for values written into lines of the module's files.
#pragma once

#include <string>
#include <string_view>

// Every occurrence of `search` (non-empty) replaced, left to right, never rescanning a
// replacement.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);

// The value with every control character (bytes 0 to 31 and 127) made "_": it can neither end
// its line nor split a field of it.
std::string OnOneLine(std::string_view value);
