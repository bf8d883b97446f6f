// A count with its noun, as a line for people says it: "1 QSO", "2 QSOs".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// `plural` where the noun does not take an "s": Counted(2, "process", "processes").
std::string Counted(std::size_t n, std::string_view noun, std::string_view plural = {});
// A difference with its sign and noun: "+1 minute", "-60 minutes", "0 minutes".
std::string SignedCounted(long long n, std::string_view noun);
