// Whole-text writes to files named relative to the current directory, bytes as given.
#pragma once

#include <span>
#include <string>
#include <string_view>

// Appends in one write, creating the file when missing. False when the file could not be opened
// or written.
bool AppendToFile(const std::string& path, std::string_view text);

// Begins the file anew with the text, replaced as ReplaceFile replaces it. Appends from this
// process come wholly before or wholly after it. False when that failed.
bool RestartFile(const std::string& path, std::string_view text);

// Replaces the file by one holding the text: a reader, or a crash at any moment, leaves the old
// file or the new one, never a part. A missing folder is not created. A link is kept and its
// target replaced; a file another program holds so that it cannot be replaced is rewritten in
// place; a read-only file, or anything but a file, is left as it is. Temporaries that a killed
// writer of the same file left are removed. False, with nothing left behind, when the text did not
// reach the file whole.
bool ReplaceFile(const std::string& path, std::string_view text);
// The same with the text given in parts, one after the other: a long log's file is written from
// its lines as they lie, without a copy of them all in one text.
bool ReplaceFile(const std::string& path, std::span<const std::string_view> parts);
