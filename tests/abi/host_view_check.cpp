// The host's view of the entry points (tools/host/entry_points.h) and the plug-in's own
// declarations are written apart on purpose; here the compiler holds them together. Compiled in
// every build: on 32-bit Windows the calling convention is part of the type.
#include <type_traits>

#include "entry_points.h"
#include "plugin/exports.h"

namespace {

// The plug-in names its date-time parameter by an opaque type; the host passes its own object.
template <class T>
struct AsHost {
  using type = T;
};
template <>
struct AsHost<const OleDateTimeArg*> {
  using type = const HostDateTime*;
};

template <class F>
struct HostView;
template <class R, class... P>
struct HostView<R(STATS_CALL*)(P...)> {
  using type = R(STATS_HOST_CALL*)(typename AsHost<P>::type...);
};
template <auto F>
using HostViewOf = typename HostView<decltype(F)>::type;

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

}  // namespace
