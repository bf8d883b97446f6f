// No page holds every call: at 200,000 logs the calls alone would make megabytes. The search box
// loads the file of what is typed, at most a thousand calls where their first two characters
// allow it, as a script (a page opened from disk may load scripts beside it, but may not read
// files).
#include "find_script.h"

#include <algorithm>
#include <utility>

#include "page_text.h"

std::string FindKey(const std::string& shownCall) {
  std::string key;
  for (std::size_t i = 0; i < shownCall.size() && i < 2; ++i) {
    const char c = shownCall[i];
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      key += c;
    } else if (c >= 'a' && c <= 'z') {
      key += static_cast<char>(c - 'a' + 'A');
    } else {
      key += '_';
    }
  }
  while (key.size() < 2) key += '_';
  return key;
}

std::map<std::string, std::vector<FoundCall>> CallFiles(std::vector<FoundCall> calls) {
  std::sort(calls.begin(), calls.end(), [](const FoundCall& a, const FoundCall& b) { return a.call < b.call; });
  std::map<std::string, std::vector<FoundCall>> files;
  if (calls.size() <= kCallsPerFile) {
    if (!calls.empty()) files[""] = std::move(calls);
    return files;
  }
  std::map<char, std::vector<FoundCall>> byFirst;
  for (FoundCall& c : calls) byFirst[FindKey(c.call)[0]].push_back(std::move(c));
  for (auto& [first, group] : byFirst) {
    if (group.size() <= kCallsPerFile) {
      files[std::string(1, first)] = std::move(group);
    } else {
      for (FoundCall& c : group) files[FindKey(c.call)].push_back(std::move(c));
    }
  }
  return files;
}

std::string CallsFileName(const std::string& key) { return key.empty() ? "calls.js" : "calls-" + key + ".js"; }

std::string CallsScript(const std::string& key, const std::vector<FoundCall>& calls) {
  std::string out = "FoundCalls(" + ScriptString(key) + ",[\n";
  for (const FoundCall& c : calls) {
    out += "[" + ScriptString(c.call) + "," + ScriptString(c.station) + "," + std::to_string(c.rank) + "," +
           std::to_string(c.page) + "," + std::to_string(c.row) + "],\n";
  }
  return out + "]);\n";
}

namespace {

// kFindKeys is written before it: the keys that have a file of calls.
const char* const kFindScript = R"(
(function () {
  var me = document.currentScript;
  var up = me.getAttribute('data-up') || '';
  var box = document.getElementById('find'), found = document.getElementById('found');
  var loaded = {}, asked = {};
  var shown = 20;
  function problem(text) {
    var li = document.createElement('li');
    li.textContent = text;
    document.getElementById('script-errors').appendChild(li);
  }
  function upper(text) { return text.replace(/[a-z]+/g, function (m) { return m.toUpperCase(); }); }
  // The key of FindKey, from what is typed: its UTF-8 bytes, so that a call that opens with a
  // letter outside ASCII is found under the key it was written under.
  function keyOf(text) {
    var bytes = new TextEncoder().encode(text), key = '';
    for (var i = 0; i < bytes.length && i < 2; ++i) {
      var c = bytes[i];
      if ((c >= 65 && c <= 90) || (c >= 48 && c <= 57)) key += String.fromCharCode(c);
      else if (c >= 97 && c <= 122) key += String.fromCharCode(c - 32);
      else key += '_';
    }
    return key;
  }
  function figure(n) { return n.toLocaleString('en-US'); }
  function item(parts) {
    var li = document.createElement('li');
    parts.forEach(function (p) {
      if (typeof p === 'string') { li.appendChild(document.createTextNode(p)); return; }
      var a = document.createElement('a');
      a.href = p[1];
      a.textContent = p[0];
      li.appendChild(a);
    });
    found.appendChild(li);
  }
  // The file that holds the calls starting with what is typed: the one file of all calls, else
  // that of its first character, else that of its key; for one character typed in a group of many
  // files, that of the calls of one character.
  function fileFor(key) {
    if (kFindKeys['']) return '';
    if (kFindKeys[key.charAt(0)]) return key.charAt(0);
    var whole = key.length === 2 ? key : key + '_';
    return kFindKeys[whole] ? whole : null;
  }
  function show() {
    var typed = upper(box.value.trim());
    found.textContent = '';
    if (typed === '') return;
    var typedKey = keyOf(typed), key = fileFor(typedKey);
    var more = typedKey.length < 2 && key !== null && key.length === 2;
    if (key === null) {
      item([typedKey.length < 2 ? 'Type the next character of the call.' : 'No call starts with ' + typed + '.']);
      return;
    }
    if (!loaded[key]) {
      item(['Looking for ' + typed + '…']);
      if (!asked[key]) {
        asked[key] = true;
        var s = document.createElement('script');
        s.src = up + 'pages/' + (key === '' ? 'calls.js' : 'calls-' + key + '.js');
        s.onerror = function () { problem('The calls of the search box cannot be loaded: ' + s.src); };
        document.head.appendChild(s);
      }
      return;
    }
    var matches = loaded[key].filter(function (c) { return upper(c[0]).indexOf(typed) === 0; });
    if (more) item(['Type the next character of the call for the others.']);
    else if (matches.length === 0) item(['No call starts with ' + typed + '.']);
    matches.slice(0, shown).forEach(function (c) {
      var station = [c[0], up + 'stations/' + c[1] + '.html'];
      if (c[2] > 0) {
        item([station, ': rank ' + figure(c[2]) + ' overall, ',
              ['page ' + figure(c[3]), up + 'pages/overall-' + c[3] + '.html#r' + c[4]]]);
      } else {
        item([station, ': a checklog, ', ['page ' + figure(c[3]), up + 'pages/checklogs-' + c[3] + '.html#r' + c[4]]]);
      }
    });
    if (matches.length > shown) item(['and ' + figure(matches.length - shown) + ' more: type more of the call.']);
  }
  window.FoundCalls = function (key, calls) {
    loaded[key] = calls;
    show();
  };
  box.addEventListener('input', show);
  var wanted = new URLSearchParams(location.search).get('find');
  if (wanted) {
    box.value = wanted;
    show();
  }
})();
)";

}  // namespace

std::string FindScript(const std::vector<std::string>& keys) {
  std::string script =
      "// The search box: the calls that start with what is typed, from the file of their first two\n"
      "// characters. ?find=CALL in the page's address fills it in.\nvar kFindKeys = {";
  for (const std::string& key : keys) script += ScriptString(key) + ":1,";
  return script + "};" + kFindScript;
}
