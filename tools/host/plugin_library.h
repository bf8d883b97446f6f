// The plug-in loaded at run time as the host loads it, its entry points found by their plain
// names, and unloaded when this object goes.
#pragma once

#include <filesystem>

#include "entry_points.h"

class PluginLibrary {
 public:
  using RawFunction = void (*)();

  // Throws std::runtime_error naming the file, when it cannot be loaded or lacks an entry point.
  explicit PluginLibrary(const std::filesystem::path& path);
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;
  ~PluginLibrary();

  const StatsEntryPoints& entryPoints() const { return entryPoints_; }
  // Any exported name, the decorated ones among them; null when the library has none such.
  RawFunction Find(const char* name) const;
  // The system's handle of the loaded library (an HMODULE on Windows).
  void* handle() const { return library_; }
  // Unloads now rather than when this object goes; the entry points are gone with it.
  void Unload();

 private:
  void* library_;
  StatsEntryPoints entryPoints_;
};
