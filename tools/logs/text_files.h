// Whole files, bytes as they lie on disk: every tool's logs, country files and outputs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Throws std::runtime_error naming the file when it cannot be read or is no regular file (a pipe
// or a device is refused before it is opened).
std::string ReadTextFile(const std::filesystem::path& file);

// Creates or truncates the file. Throws std::runtime_error naming the file when it cannot be
// written whole.
void WriteTextFile(const std::filesystem::path& file, std::string_view text);
