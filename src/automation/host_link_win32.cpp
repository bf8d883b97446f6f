// The host's automation object by dispatch id: 2 the frequency, 8 the call being typed, 16 a
// macro to run.
#include "host_link_win32.h"

#include <oleauto.h>

namespace {

constexpr const wchar_t* kHostProgId = L"Ravix2.Application";
constexpr DISPID kFrequencyId = 2;
constexpr DISPID kEnteredCallId = 8;
constexpr DISPID kRunMacroId = 16;
// The host's field number of the call being typed.
constexpr LONG kCallField = 5;

struct Variant : VARIANT {
  Variant() { VariantInit(this); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(this); }
};

// A refusal may come with texts the caller owns.
struct ExceptionInfo : EXCEPINFO {
  ExceptionInfo() : EXCEPINFO{} {}
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  ~ExceptionInfo() {
    SysFreeString(bstrSource);
    SysFreeString(bstrDescription);
    SysFreeString(bstrHelpFile);
  }
};

HRESULT Invoke(IDispatch& host, DISPID id, WORD kind, VARIANT* argument, VARIANT& result) {
  DISPPARAMS params{argument, nullptr, argument ? 1u : 0u, 0};
  ExceptionInfo exception;
  UINT badArgument = 0;
  return host.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, &result, &exception, &badArgument);
}

std::string Narrow(BSTR text) {
  int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

UniqueBstr Widen(std::string_view text) {
  int length = static_cast<int>(text.size());
  int size = length ? MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0) : 0;
  UniqueBstr wide(SysAllocStringLen(nullptr, static_cast<UINT>(size)));
  if (wide && size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.get(), size);
  return wide;
}

}  // namespace

ComApartment::ComApartment() : entered_(SUCCEEDED(CoInitialize(nullptr))) {}

ComApartment::~ComApartment() {
  if (entered_) CoUninitialize();
}

HostLink::HostLink() {
  CLSID host{};
  if (FAILED(CLSIDFromProgID(kHostProgId, &host))) return;
  apartment_.emplace();
  UniqueInterface<IUnknown> running;
  if (FAILED(GetActiveObject(host, nullptr, running.put())) || !running) return;
  running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(host_.put()));
}

HostAnswer<double> HostLink::Frequency() {
  HostAnswer<double> answer;
  if (!host_) return answer;
  Variant result;
  answer.result = Invoke(*host_.get(), kFrequencyId, DISPATCH_PROPERTYGET, nullptr, result);
  if (SUCCEEDED(answer.result) && SUCCEEDED(VariantChangeType(&result, &result, 0, VT_R8))) {
    answer.value = result.dblVal;
  }
  return answer;
}

HostAnswer<std::string> HostLink::EnteredCall() {
  HostAnswer<std::string> answer;
  if (!host_) return answer;
  Variant field;
  field.vt = VT_I4;
  field.lVal = kCallField;
  Variant result;
  answer.result = Invoke(*host_.get(), kEnteredCallId, DISPATCH_METHOD, &field, result);
  if (SUCCEEDED(answer.result) && result.vt == VT_BSTR) answer.value = Narrow(result.bstrVal);
  return answer;
}

HRESULT HostLink::RunMacro(std::string_view macro) {
  if (!host_) return S_OK;
  Variant text;
  text.vt = VT_BSTR;
  text.bstrVal = Widen(macro).release();
  if (!text.bstrVal) return E_OUTOFMEMORY;
  Variant result;
  return Invoke(*host_.get(), kRunMacroId, DISPATCH_METHOD, &text, result);
}
