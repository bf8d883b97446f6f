// Entry points are looked up by their plain exported names.
#include "plugin_library.h"

#include <stdexcept>
#include <string>
#include <type_traits>

#include "host_platform.h"

void PluginLibrary::Closer::operator()(void* library) const { host_platform::CloseLibrary(library); }

PluginLibrary::PluginLibrary(const std::filesystem::path& path) {
  try {
    library_.reset(host_platform::OpenLibrary(path));
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(path.string() + ": cannot be loaded: " + error.what());
  }
  auto bind = [&](auto& slot, const char* name) {
    host_platform::RawFunction function = host_platform::FindFunction(library_.get(), name);
    if (!function) throw std::runtime_error(path.string() + ": exports no " + name);
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(function);
  };
  bind(entryPoints_.resetStats, "ResetStats0");
  bind(entryPoints_.checkCall, "CheckCall0");
  bind(entryPoints_.addData, "AddData0");
  bind(entryPoints_.getResult, "GetResult0");
}
