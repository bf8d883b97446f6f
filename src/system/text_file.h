// Whole-text writes to files named relative to the current directory, bytes as given.
#pragma once

#include <string>
#include <string_view>

// Appends in one write, creating the file when missing. False when the file could not be opened
// or written.
bool AppendToFile(const std::string& path, std::string_view text);

// Empties the file (creating it when missing) and writes the text. Appends from this process
// come wholly before or wholly after it. False when that failed.
bool RestartFile(const std::string& path, std::string_view text);

// Replaces the file by one holding the text: a reader, or a crash at any moment, leaves the old
// file or the new one, never a part. A missing folder is not created. False, with nothing left
// behind, when that failed.
bool ReplaceFile(const std::string& path, std::string_view text);
