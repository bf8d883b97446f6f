// The plug-in loaded at run time, unloaded when this object goes.
#pragma once

#include <filesystem>
#include <memory>

#include "entry_points.h"

class PluginLibrary {
 public:
  // Throws std::runtime_error naming the file, when it cannot be loaded or lacks an entry point.
  explicit PluginLibrary(const std::filesystem::path& path);

  const StatsEntryPoints& entryPoints() const { return entryPoints_; }

 private:
  struct Closer {
    void operator()(void* library) const;
  };

  std::unique_ptr<void, Closer> library_;
  StatsEntryPoints entryPoints_;
};
