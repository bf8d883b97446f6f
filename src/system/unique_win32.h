// Ownership of the system's handles and interfaces: one move-only holder that calls the kind's
// close function, and a name per kind. Each kind says which value means "none": most use null,
// file searches and file handles use INVALID_HANDLE_VALUE.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

template <class T>
struct NullIsNone {
  static T None() { return T{}; }
};

struct InvalidHandleIsNone {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
};

template <class T, auto Close, class Policy = NullIsNone<T>>
class Unique {
 public:
  Unique() = default;
  explicit Unique(T value) : value_(value) {}
  Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, Policy::None())) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(std::exchange(other.value_, Policy::None()));
    return *this;
  }
  ~Unique() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Policy::None(); }
  T operator->() const { return value_; }
  // For functions that hand out a new value through a pointer.
  T* put() {
    reset();
    return &value_;
  }
  T release() { return std::exchange(value_, Policy::None()); }
  void reset(T value = Policy::None()) {
    if (value_ != Policy::None()) Close(value_);
    value_ = value;
  }

 private:
  T value_ = Policy::None();
};

inline void ReleaseInterface(IUnknown* object) { object->Release(); }

using UniqueHandle = Unique<HANDLE, &CloseHandle>;
// CreateFile and CreateToolhelp32Snapshot fail with INVALID_HANDLE_VALUE.
using UniqueFileHandle = Unique<HANDLE, &CloseHandle, InvalidHandleIsNone>;
using UniqueFind = Unique<HANDLE, &FindClose, InvalidHandleIsNone>;
using UniqueWindow = Unique<HWND, &DestroyWindow>;
using UniqueDc = Unique<HDC, &DeleteDC>;
using UniqueBrush = Unique<HBRUSH, &DeleteObject>;
using UniqueBitmap = Unique<HBITMAP, &DeleteObject>;
using UniqueBstr = Unique<BSTR, &SysFreeString>;
template <class Interface>
using UniqueInterface = Unique<Interface*, &ReleaseInterface>;

// An object selected into a device context until the guard puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
