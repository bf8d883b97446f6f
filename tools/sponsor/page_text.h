// What every page of the results shares: values from the logs made safe for HTML, links to files
// of any name, figures with thousands separators, and each page's head.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A value on one line: every control byte (the line break among them) as \xHH, then & < > "
// written as HTML entities.
std::string HtmlText(std::string_view value);
// A text of many lines, a report or the summary: its line breaks kept, every other control byte
// as \xHH, HTML entities as above.
std::string HtmlLines(std::string_view text);
// A file name as a relative link's path: every byte but letters, digits and - . _ ~ as %XX, so
// that "#", "?", "%" and blanks in a call's report name still reach its file.
std::string UrlPath(std::string_view name);
// A value as a JavaScript string literal, quotes included; control bytes as \xHH first.
std::string ScriptString(std::string_view value);

// 1234567 as "1,234,567", -1234 as "-1,234".
std::string Figure(long long value);
std::string Figure(std::size_t value);

// The page's opening, its <body> and the list its script errors go into; `title` is HTML already.
std::string PageHead(const std::string& title);
// Ends the page: the mark a test reads that its script ran to the end.
std::string PageEnd();
