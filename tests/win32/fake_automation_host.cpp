#include "fake_automation_host.h"

#include <oleauto.h>

#include <algorithm>

namespace {

constexpr const char* kProgIdKey = "Ravix2.Application";
constexpr const char* kClassIdText = "{6A3E2C51-94B7-4D8E-A1F0-3B5C7D9E2F14}";
constexpr DISPID kFrequencyId = 2, kEnteredCallId = 8, kRunMacroId = 16;

std::string Narrow(BSTR text) {
  int length = static_cast<int>(SysStringLen(text));
  int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

BSTR Widen(const std::string& text) {
  int length = static_cast<int>(text.size());
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(size));
  if (wide && size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide, size);
  return wide;
}

CLSID TestClassId() {
  CLSID id{};
  wchar_t text[64];
  MultiByteToWideChar(CP_ACP, 0, kClassIdText, -1, text, 64);
  CLSIDFromString(text, &id);
  return id;
}

}  // namespace

void FakeAutomationHost::SetFrequency(double hertz) {
  std::lock_guard guard(lock_);
  frequency_ = hertz;
}

void FakeAutomationHost::SetEnteredCall(const std::string& call) {
  std::lock_guard guard(lock_);
  enteredCall_ = call;
}

void FakeAutomationHost::Reject(DISPID id) {
  std::lock_guard guard(lock_);
  rejected_ = id;
}

std::vector<std::string> FakeAutomationHost::Macros() const {
  std::lock_guard guard(lock_);
  return macros_;
}

FakeAutomationHost::Counts FakeAutomationHost::Served() const {
  std::lock_guard guard(lock_);
  return served_;
}

void FakeAutomationHost::ClearRecords() {
  std::lock_guard guard(lock_);
  macros_.clear();
  served_ = {};
}

HRESULT FakeAutomationHost::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG FakeAutomationHost::AddRef() { return static_cast<ULONG>(++references_); }

// The object lives on the test's stack: the count only tells whether everyone let go.
ULONG FakeAutomationHost::Release() { return static_cast<ULONG>(--references_); }

LONG FakeAutomationHost::references() const { return references_.load(); }

HRESULT FakeAutomationHost::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT FakeAutomationHost::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT FakeAutomationHost::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT FakeAutomationHost::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) {
  std::lock_guard guard(lock_);
  if (id == kFrequencyId) ++served_.frequency;
  if (id == kEnteredCallId) ++served_.enteredCall;
  if (id == kRunMacroId) ++served_.macros;
  if (id == rejected_) {
    if (exception) {
      *exception = EXCEPINFO{};
      exception->scode = E_FAIL;
      exception->bstrDescription = SysAllocString(L"refused by the test host");
    }
    return DISP_E_EXCEPTION;
  }
  if (result) VariantInit(result);
  bool oneArgument = params && params->cArgs == 1;
  switch (id) {
    case kFrequencyId:
      if (!(flags & DISPATCH_PROPERTYGET) || (params && params->cArgs != 0)) return DISP_E_BADPARAMCOUNT;
      if (result) {
        result->vt = VT_R8;
        result->dblVal = frequency_;
      }
      return S_OK;
    case kEnteredCallId:
      if (!oneArgument || params->rgvarg[0].vt != VT_I4 || params->rgvarg[0].lVal != 5) return DISP_E_BADPARAMCOUNT;
      if (result) {
        result->vt = VT_BSTR;
        result->bstrVal = Widen(enteredCall_);
      }
      return S_OK;
    case kRunMacroId:
      if (!oneArgument || params->rgvarg[0].vt != VT_BSTR) return DISP_E_BADPARAMCOUNT;
      macros_.push_back(Narrow(params->rgvarg[0].bstrVal));
      return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

RunningHost::RunningHost(FakeAutomationHost& host) : host_(host) {}

RunningHost::~RunningHost() { Revoke(); }

bool RunningHost::Register() {
  if (cookie_ != 0) return true;
  return SUCCEEDED(RegisterActiveObject(&host_, TestClassId(), ACTIVEOBJECT_STRONG, &cookie_));
}

void RunningHost::Revoke() {
  if (cookie_ == 0) return;
  RevokeActiveObject(cookie_, nullptr);
  cookie_ = 0;
}

HostProgId::HostProgId() {
  std::string key = std::string(kProgIdKey) + "\\CLSID";
  registered_ = RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, kClassIdText, 0) == ERROR_SUCCESS;
}

HostProgId::~HostProgId() {
  std::string key = std::string(kProgIdKey) + "\\CLSID";
  RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kProgIdKey);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (condition()) return true;
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                              QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}
