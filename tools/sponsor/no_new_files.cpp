// A new descriptor is the lowest free number below the soft limit on open files, and the system
// takes one before it reads the path: with the limit at the lowest free number, every open fails
// with EMFILE. Descriptors already open stay usable.
#include "no_new_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

NoNewFiles::NoNewFiles() {
  if (::getrlimit(RLIMIT_NOFILE, &before_) != 0) {
    throw std::runtime_error(std::string("the open-file limit cannot be read: ") + std::strerror(errno));
  }
  const int lowestFree = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (lowestFree < 0) {
    if (errno == EMFILE) return;  // none free already
    throw std::runtime_error(std::string("no descriptor to tell the lowest free one: ") + std::strerror(errno));
  }
  ::close(lowestFree);
  rlimit sealed = before_;
  sealed.rlim_cur = static_cast<rlim_t>(lowestFree);
  if (::setrlimit(RLIMIT_NOFILE, &sealed) != 0) {
    throw std::runtime_error(std::string("the open-file limit cannot be set: ") + std::strerror(errno));
  }
}

NoNewFiles::~NoNewFiles() { ::setrlimit(RLIMIT_NOFILE, &before_); }
