// The pages are opened from disk in any browser: nothing in them refers outside the folder, and
// a script error shows in the page itself rather than only in a console nobody opens.
#include "page_text.h"

#include <cstdio>

#include "shown_text.h"

namespace {

void AppendEscaped(std::string& out, std::string_view shown) {
  for (char c : shown) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

const char* const kPageStyle =
    "<style>body{font:14px/1.4 system-ui,sans-serif;margin:1.5em auto;max-width:1300px;padding:0 1em;color:#222}"
    "table{border-collapse:collapse;margin:.5em 0}th,td{border:1px solid #ccc;padding:2px 7px;text-align:right}"
    "th{background:#f0f0f0}td.t,th.t{text-align:left}h2{font-size:1.15em;border-bottom:1px solid #ccc;margin-top:1.6em}"
    "pre{background:#f8f8f8;padding:.6em;overflow:auto}tr:target{background:#fff3b0}"
    "nav.pages a,nav.pages b{margin-right:.45em}#script-errors:empty{display:none}#script-errors{color:#b00020}"
    "#found{list-style:none;padding-left:.5em}</style>\n"
    "<script>window.onerror=function(m,s,l){var i=document.createElement('li');i.textContent=m+' ('+(s||'page')+':'"
    "+l+')';document.getElementById('script-errors').appendChild(i);};</script>\n";

}  // namespace

std::string HtmlText(std::string_view value) {
  std::string out;
  AppendEscaped(out, Shown(value));
  return out;
}

std::string HtmlLines(std::string_view text) {
  std::string out;
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t end = std::min(text.find('\n', from), text.size());
    AppendEscaped(out, Shown(text.substr(from, end - from)));
    if (end == text.size()) break;
    out += '\n';
    from = end + 1;
  }
  return out;
}

std::string UrlPath(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
        std::string_view("-._~").find(c) != std::string_view::npos) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

std::string ScriptString(std::string_view value) {
  std::string out = "\"";
  for (char c : Shown(value)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '<') {
      out += "\\u003c";  // no "</script>" wherever the text lands
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Figure(long long value) {
  const unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  const std::string digits = std::to_string(magnitude);
  std::string out = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Figure(std::size_t value) { return Figure(static_cast<long long>(value)); }

std::string PageHead(const std::string& title) {
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + title + "</title>\n" +
         kPageStyle + "</head><body>\n<ul id=\"script-errors\"></ul>\n";
}

std::string PageEnd() {
  return "<script>document.body.setAttribute('data-rendered', 'yes');</script>\n</body></html>\n";
}
