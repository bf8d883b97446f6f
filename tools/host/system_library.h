// The system's dynamic loader: LoadLibraryA on Windows, dlopen elsewhere.
#pragma once

#include <filesystem>

namespace system_library {

// Throws std::runtime_error with the system's reason.
void* Open(const std::filesystem::path& path);
void Close(void* library);
// Null when the library exports no such name.
void (*Find(void* library, const char* name))();

}  // namespace system_library
