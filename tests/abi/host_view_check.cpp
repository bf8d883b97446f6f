// The host's view of the entry points (tools/host/entry_points.h) and the plug-in's own
// declarations are written apart on purpose; here the compiler holds them together. Compiled in
// every build: on 32-bit Windows the calling convention is part of the type.
#include <type_traits>

#include "host_view.h"

static_assert(std::is_same_v<HostViewOf<&GetNumberOfSets>, host_abi::GetNumberOfSetsFn>);
static_assert(std::is_same_v<HostViewOf<&GetSetName>, host_abi::GetSetNameFn>);
static_assert(std::is_same_v<HostViewOf<&ResetStats0>, host_abi::ResetStatsFn>);
static_assert(std::is_same_v<HostViewOf<&AddData0>, host_abi::QsoFn>);
static_assert(std::is_same_v<HostViewOf<&RemoveData0>, host_abi::QsoFn>);
static_assert(std::is_same_v<HostViewOf<&CheckCall0>, host_abi::CheckCallFn>);
static_assert(std::is_same_v<HostViewOf<&GetResult0>, host_abi::GetResultFn>);
static_assert(std::is_same_v<HostViewOf<&SetupSet0>, host_abi::SetupSetFn>);
static_assert(std::is_same_v<HostViewOf<&GetExchgCount0>, host_abi::GetExchgCountFn>);
static_assert(std::is_same_v<HostViewOf<&IsValidExchg0>, host_abi::IsValidExchgFn>);
