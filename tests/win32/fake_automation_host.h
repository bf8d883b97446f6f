// Plays the host's automation object: registered as the running object of the host's program
// id on the thread that makes it, answering the frequency and the call being typed, recording
// the macros it is asked to run.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oaidl.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Served on the thread that registered it; that thread must keep pumping messages (see PumpUntil)
// while another thread calls it.
class FakeAutomationHost : public IDispatch {
 public:
  struct Counts {
    int frequency = 0;
    int enteredCall = 0;
    int macros = 0;
  };

  FakeAutomationHost() = default;
  FakeAutomationHost(const FakeAutomationHost&) = delete;
  FakeAutomationHost& operator=(const FakeAutomationHost&) = delete;

  void SetFrequency(double hertz);
  void SetEnteredCall(const std::string& call);
  // Requests with this dispatch id fail with DISP_E_EXCEPTION; 0 rejects none.
  void Reject(DISPID id);

  std::vector<std::string> Macros() const;
  Counts Served() const;
  void ClearRecords();
  // References held by anyone: the test's own, the running object table's, proxies' stubs.
  LONG references() const;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* badArgument) override;

 private:
  mutable std::mutex lock_;
  std::atomic<LONG> references_{1};  // the test's own, on the stack
  double frequency_ = 0.0;
  std::string enteredCall_;
  DISPID rejected_ = 0;
  std::vector<std::string> macros_;
  Counts served_;
};

// The program id's class id in the registry and the object in the running object table, both
// gone again when this goes. Registering makes the host "run"; Revoke stops it.
class RunningHost {
 public:
  explicit RunningHost(FakeAutomationHost& host);
  RunningHost(const RunningHost&) = delete;
  RunningHost& operator=(const RunningHost&) = delete;
  ~RunningHost();

  bool Register();
  void Revoke();

 private:
  FakeAutomationHost& host_;
  DWORD cookie_ = 0;
};

// The test host's class id registered under the program id the plug-in looks up, until this goes.
class HostProgId {
 public:
  HostProgId();
  HostProgId(const HostProgId&) = delete;
  HostProgId& operator=(const HostProgId&) = delete;
  ~HostProgId();

  bool registered() const { return registered_; }

 private:
  bool registered_;
};

// This thread in a COM apartment of the given kind until this goes, when it entered one.
class Apartment {
 public:
  explicit Apartment(DWORD model) : result_(CoInitializeEx(nullptr, model)) {}
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  ~Apartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

// Serves this thread's messages (the fake host's incoming calls among them) until the condition
// holds or the time is up; true when it held.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
void PumpFor(DWORD ms);
