// One thread's link to the running host through its automation object, in the three requests the
// module makes of it.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>
#include <string_view>

#include "unique_win32.h"

// The COM apartment of the thread that made it; left again only when it was this object that
// entered it (an apartment of another kind already there is used as it is).
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

 private:
  bool entered_;
};

// What the host answered, or why it refused.
template <class T>
struct HostAnswer {
  HRESULT result = S_OK;
  T value{};
};

// Without a running host it is not connected, and every request quietly gives the empty answer.
// Used only on the thread that made it: the interface belongs to that thread's apartment.
class HostLink {
 public:
  HostLink();
  HostLink(const HostLink&) = delete;
  HostLink& operator=(const HostLink&) = delete;

  bool connected() const { return static_cast<bool>(host_); }
  HostAnswer<double> Frequency();
  HostAnswer<std::string> EnteredCall();
  HRESULT RunMacro(std::string_view macro);

 private:
  // The host's object goes before the apartment it was obtained in.
  std::optional<ComApartment> apartment_;
  UniqueInterface<IDispatch> host_;
};
