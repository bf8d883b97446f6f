// Whole-text writes to files named relative to the current directory, bytes as given.
#pragma once

#include <string>
#include <string_view>

// Opens for appending (creating the file when missing), writes, closes. False when the file
// could not be opened or written.
bool AppendToFile(const std::string& path, std::string_view text);

// Creates or truncates the file and writes the text. False when that failed.
bool WriteWholeFile(const std::string& path, std::string_view text);
