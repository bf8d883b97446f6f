// A value from a log as a tool echoes it in a line of its own: nothing in it can end the line or
// drive the terminal.
#pragma once

#include <string>
#include <string_view>

// Every control byte (0 to 31 and 127) written as \xHH; all else as it is.
std::string Shown(std::string_view value);
