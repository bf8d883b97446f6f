// Entry points are bound by their plain exported names, in the order of kExportNames.
#include "plugin_library.h"

#include <stdexcept>
#include <string>
#include <type_traits>

#include "system_library.h"

PluginLibrary::PluginLibrary(const std::filesystem::path& path) {
  try {
    library_ = system_library::Open(path);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(path.string() + ": cannot be loaded: " + error.what());
  }
  std::size_t next = 0;
  auto bind = [&](auto& slot) {
    const char* name = kExportNames[next++].plain;
    RawFunction function = Find(name);
    if (!function) {
      Unload();
      throw std::runtime_error(path.string() + ": exports no " + name);
    }
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(function);
  };
  StatsEntryPoints& e = entryPoints_;
  bind(e.getNumberOfSets);
  bind(e.getSetName);
  bind(e.resetStats);
  bind(e.addData);
  bind(e.removeData);
  bind(e.checkCall);
  bind(e.getResult);
  bind(e.setupSet);
  bind(e.getExchgCount);
  bind(e.isValidExchg);
}

PluginLibrary::~PluginLibrary() { Unload(); }

PluginLibrary::RawFunction PluginLibrary::Find(const char* name) const {
  return library_ ? system_library::Find(library_, name) : nullptr;
}

void PluginLibrary::Unload() {
  if (!library_) return;
  system_library::Close(library_);
  library_ = nullptr;
  entryPoints_ = {};
}
