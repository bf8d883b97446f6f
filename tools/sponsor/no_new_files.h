// A process that can open no file while this object lives: each open fails before the system
// looks at the path, for about the price of a system call that does nothing. The scoring's
// replays live in it. The plug-in opens its problem file on every QSO and rewrites its settings
// file with every score asked for, and neither is wanted there: a failed open of a folder in the
// problem file's place cost three times as much and was a fifth of the scoring's time, and each
// settings file written was an inode made and freed, slow to allocate on a file system without a
// journal that has freed many in the last half minute.
#pragma once

#include <sys/resource.h>

class NoNewFiles {
 public:
  // Throws std::runtime_error when the limit cannot be set.
  NoNewFiles();
  ~NoNewFiles();
  NoNewFiles(const NoNewFiles&) = delete;
  NoNewFiles& operator=(const NoNewFiles&) = delete;

 private:
  rlimit before_{};
};
