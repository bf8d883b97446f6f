// Both dialogs share one procedure: a session object fills the controls when the dialog opens
// and takes their state when OK is pressed; every other way out leaves it untouched.
#include "dialogs_win32.h"

#include <windows.h>

#include <algorithm>
#include <span>

#include "resource_ids.h"
#include "categories.h"
#include "this_module_win32.h"

namespace {

// For a drop-down this is the text of its edit part: what the operator picked or typed.
std::string ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

struct HeaderField {
  int id;
  std::string CabrilloHeaderFields::*value;
  std::span<const char* const> entries;  // empty for an edit field
};

constexpr HeaderField kHeaderFields[] = {
    {IDC_CONTEST, &CabrilloHeaderFields::contest, {}},
    {IDC_CALLSIGN, &CabrilloHeaderFields::callsign, {}},
    {IDC_CLAIMED, &CabrilloHeaderFields::claimed, {}},
    {IDC_CATEGORY_OPERATOR, &CabrilloHeaderFields::categoryOperator, categories::kCategoryOperator},
    {IDC_CATEGORY_ASSISTED, &CabrilloHeaderFields::categoryAssisted, categories::kCategoryAssisted},
    {IDC_CATEGORY_BAND, &CabrilloHeaderFields::categoryBand, categories::kCategoryBand},
    {IDC_CATEGORY_MODE, &CabrilloHeaderFields::categoryMode, categories::kCategoryMode},
    {IDC_CATEGORY_POWER, &CabrilloHeaderFields::categoryPower, categories::kCategoryPower},
    {IDC_CATEGORY_STATION, &CabrilloHeaderFields::categoryStation, categories::kCategoryStation},
    {IDC_CATEGORY_TRANSMITTER, &CabrilloHeaderFields::categoryTransmitter, categories::kCategoryTransmitter},
    {IDC_CATEGORY_OVERLAY, &CabrilloHeaderFields::categoryOverlay, categories::kCategoryOverlay},
    {IDC_NAME, &CabrilloHeaderFields::name, {}},
    {IDC_ADDRESS, &CabrilloHeaderFields::address, {}},
    {IDC_ADDRESS_CITY, &CabrilloHeaderFields::addressCity, {}},
    {IDC_ADDRESS_STATE, &CabrilloHeaderFields::addressState, {}},
    {IDC_ADDRESS_POSTALCODE, &CabrilloHeaderFields::addressPostalCode, {}},
    {IDC_ADDRESS_COUNTRY, &CabrilloHeaderFields::addressCountry, {}},
    {IDC_OPERATORS, &CabrilloHeaderFields::operators, {}},
    {IDC_CLUB, &CabrilloHeaderFields::club, {}},
    {IDC_LOCATION, &CabrilloHeaderFields::location, categories::kLocation},
    {IDC_SOAPBOX, &CabrilloHeaderFields::soapbox, {}},
    {IDC_EMAIL, &CabrilloHeaderFields::email, {}},
};

class HeaderSession {
 public:
  explicit HeaderSession(CabrilloHeaderFields& fields) : fields_(fields) {}

  void Show(HWND dialog) const {
    for (const HeaderField& field : kHeaderFields) {
      HWND control = GetDlgItem(dialog, field.id);
      const std::string& value = fields_.*field.value;
      for (const char* entry : field.entries) SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
      // The list's own search ignores case and would show "single-op" as "SINGLE-OP": only an
      // exact match is shown as the entry, anything else as typed text.
      auto match = std::find_if(field.entries.begin(), field.entries.end(),
                                [&](const char* entry) { return value == entry; });
      if (match != field.entries.end()) {
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(match - field.entries.begin()), 0);
      } else {
        SetWindowTextA(control, value.c_str());
      }
    }
  }

  // Disabled fields too: the header keeps whatever they show.
  void Confirm(HWND dialog) {
    CabrilloHeaderFields confirmed = fields_;
    for (const HeaderField& field : kHeaderFields) confirmed.*field.value = ControlText(dialog, field.id);
    fields_ = std::move(confirmed);
  }

 private:
  CabrilloHeaderFields& fields_;
};

class SetupSession {
 public:
  explicit SetupSession(int& checked) : checked_(checked) {}

  void Show(HWND dialog) const {
    CheckDlgButton(dialog, IDC_USE_WINDOW_MULTIPLIER, checked_ != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  void Confirm(HWND dialog) { checked_ = IsDlgButtonChecked(dialog, IDC_USE_WINDOW_MULTIPLIER) == BST_CHECKED ? 1 : 0; }

 private:
  int& checked_;
};

// Nothing may be thrown back into the dialog manager's frames. A dialog that failed while it
// was filled or read ends as if cancelled: a half-filled form must not be confirmed.
template <class Session>
INT_PTR CALLBACK SessionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    auto* session = reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
      case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<Session*>(lParam)->Show(dialog);
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && session) {
          session->Confirm(dialog);
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        // Esc and the close box arrive here too, also in the dialog without a CANCEL button.
        if (LOWORD(wParam) == IDCANCEL) {
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        }
        return FALSE;
      case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      default:
        return FALSE;
    }
  } catch (...) {
    EndDialog(dialog, IDABORT);
    return TRUE;
  }
}

template <class Session>
bool RunModal(int templateId, Session& session) {
  INT_PTR result = DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(templateId), GetActiveWindow(),
                                   &SessionProc<Session>, reinterpret_cast<LPARAM>(&session));
  return result == IDOK;
}

}  // namespace

bool Win32Dialogs::EditCabrilloHeader(CabrilloHeaderFields& fields) {
  HeaderSession session(fields);
  return RunModal(IDD_CABRILLO, session);
}

bool Win32Dialogs::EditSetup(int& checked) {
  SetupSession session(checked);
  return RunModal(IDD_MASTER, session);
}

void Win32Dialogs::ShowMessage(const std::string& text, const std::string& caption) {
  MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}
