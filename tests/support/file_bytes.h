// A file's bytes as they lie on disk; empty when it cannot be read. Without GoogleTest, for the
// test programs that stand alone.
#pragma once

#include <filesystem>
#include <string>

std::string FileBytes(const std::filesystem::path& file);
