// Calls are compared in upper case; the list writes them so.
#include "call_list.h"

#include <algorithm>
#include <utility>

#include "host_form.h"
#include "text_files.h"

CallList CallList::Load(const std::filesystem::path& file) {
  return Parse(ReadTextFile(file));
}

CallList CallList::Parse(std::string_view text) {
  CallList list;
  // Sized once for a call a line: grown as it fills, the set would be rebuilt a dozen times over.
  list.calls_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  for (std::size_t from = 0; from < text.size();) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string call = UpperCase(Trimmed(text.substr(from, end - from)));
    from = end + 1;
    if (!call.empty() && !call.starts_with('#')) list.calls_.insert(std::move(call));
  }
  return list;
}

bool CallList::Knows(std::string_view call) const {
  const std::string upper = UpperCase(call);
  if (calls_.count(upper)) return true;
  for (std::size_t from = 0; from <= upper.size();) {
    std::size_t slash = upper.find('/', from);
    if (slash == std::string::npos) slash = upper.size();
    if (slash > from && slash - from < upper.size() && calls_.count(upper.substr(from, slash - from))) return true;
    from = slash + 1;
  }
  return false;
}
