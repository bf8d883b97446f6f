// Reading a contest log: the reader a file needs, told from its content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "log_types.h"

// A Cabrillo file when a Cabrillo tag line ("START-OF-LOG:", "QSO:", any tag the format knows)
// comes before any ADIF field or <EOH>; an ADIF file when one of those comes first. A file with
// neither, or with nothing in it, is LogFormat::Unknown, told by one problem.
LogFile ParseLogText(std::string_view text);

// What a file is read in: a few of them beside a long log's QSOs.
inline constexpr std::size_t kLogFilePiece = std::size_t{1} << 20;

// The same log as ParseLogText of the file's text. An ADIF file is read `piece` bytes at a time
// and its text is never held whole. Throws std::runtime_error when the file cannot be read.
LogFile ReadLogFile(const std::filesystem::path& path, std::size_t piece = kLogFilePiece);

// The QSOs ReadLogFile(path) gives, in the same order, each handed to `take` and let go after it:
// an ADIF log's read again without being held (the others are read whole, as ReadLogFile reads
// them). Throws as ReadLogFile.
void ReadLogQsos(const std::filesystem::path& path, const QsoTaker& take);

// What tells a file read twice from one written over between the readings, for every tool that
// reads a log again: its size and the time it was last written. Taken before the first reading
// and held against the file before and after each later one, so that a file written over even
// while it was read the first time is never taken as the one read.
struct FileStamp {
  std::uintmax_t size = 0;
  std::filesystem::file_time_type written;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp StampOf(const std::filesystem::path& path);  // a zero stamp for a file that cannot be seen
FileStamp StampOf(const std::filesystem::path& path, std::error_code& error);  // and why it cannot
// Throws std::runtime_error "<file>: <change>" when the file no longer has the stamp, or when
// `same` (what the caller compared of the readings, such as their count of QSOs) is false.
void ExpectUnchanged(const std::filesystem::path& file, const FileStamp& read, std::string_view change,
                     bool same = true);
