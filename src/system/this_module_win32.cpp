// Found by an address inside this DLL: the host may have loaded it under any name.
#include "this_module_win32.h"

namespace {

HMODULE ModuleOfThisCode(DWORD flags) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | flags,
                          reinterpret_cast<LPCSTR>(&ModuleOfThisCode), &module)) {
    return nullptr;
  }
  return module;
}

}  // namespace

HINSTANCE ThisModule() { return ModuleOfThisCode(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT); }

HMODULE ReferenceThisModule() { return ModuleOfThisCode(0); }
