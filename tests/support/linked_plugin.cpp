// A thunk per entry point, made by the compiler from the plug-in's declaration: the host's
// date-time pointer becomes the plug-in's opaque one, every other argument is passed as it is.
// Calling the export through a pointer of another type would be undefined, and the checked builds
// check function types on indirect calls.
#include "linked_plugin.h"

#include <type_traits>

#include "host_view.h"

namespace {

template <class P, class A>
P Passed(A argument) {
  if constexpr (std::is_same_v<P, const OleDateTimeArg*>) {
    return reinterpret_cast<P>(argument);
  } else {
    return argument;
  }
}

template <auto F, class Sig = decltype(F)>
struct Thunk;
template <auto F, class R, class... P>
struct Thunk<F, R(STATS_CALL*)(P...)> {
  static R STATS_HOST_CALL Call(typename host_view::AsHost<P>::type... arguments) {
    return F(Passed<P>(arguments)...);
  }
};

// Natively GetNumberOfSets is an alias of GetExchgCount0, whose type the checked builds see at
// any call through a pointer: it is called by its own name.
int STATS_HOST_CALL NumberOfSets() { return GetNumberOfSets(); }

}  // namespace

const StatsEntryPoints& LinkedPlugin() {
  static const StatsEntryPoints plugin{
      &NumberOfSets,                  &Thunk<&GetSetName>::Call,  &Thunk<&ResetStats0>::Call,
      &Thunk<&AddData0>::Call,        &Thunk<&RemoveData0>::Call, &Thunk<&CheckCall0>::Call,
      &Thunk<&GetResult0>::Call,      &Thunk<&SetupSet0>::Call,   &Thunk<&GetExchgCount0>::Call,
      &Thunk<&IsValidExchg0>::Call};
  return plugin;
}
