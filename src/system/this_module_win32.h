// This DLL's own module handle, for its resources (dialog templates, icon) and its lifetime.
#pragma once

#include <windows.h>

// The templates live in this DLL, not in the host's program file. Takes the loader lock.
HINSTANCE ThisModule();

// A reference of one's own to this DLL: it stays loaded until the reference is given back with
// FreeLibrary (or FreeLibraryAndExitThread). Null when it could not be taken.
HMODULE ReferenceThisModule();
