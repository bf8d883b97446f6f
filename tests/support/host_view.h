// The plug-in's declaration of an entry point turned into the host's: the same function type with
// the host's own date-time object where the plug-in names an opaque one.
#pragma once

#include "entry_points.h"
#include "exports.h"

namespace host_view {

template <class T>
struct AsHost {
  using type = T;
};
template <>
struct AsHost<const OleDateTimeArg*> {
  using type = const HostDateTime*;
};

template <class F>
struct Of;
template <class R, class... P>
struct Of<R(STATS_CALL*)(P...)> {
  using type = R(STATS_HOST_CALL*)(typename AsHost<P>::type...);
};

}  // namespace host_view

template <auto F>
using HostViewOf = typename host_view::Of<decltype(F)>::type;
