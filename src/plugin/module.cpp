// The one module object, alive from load to unload.
#include "plugin/module.h"

Module& TheModule() {
  static Module module;
  return module;
}
