// The results of a contest of any size made up without a contest: for tests of the tables and
// pages at 50,000 logs and more, where generating and cross-checking the logs would take minutes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "results.h"

// `logs` results, the same for the same seed: calls of many prefixes (and a few that hold "#",
// a blank, "<", a control byte, a letter outside ASCII or a single character), scores with many
// ties and some past a billion, every category field written in the contest's values, in other
// cases, as "ALL" and as no value of the contest, clubs written in several spellings, entities
// and continents (some none), one log in twenty a checklog; report names as the program makes them.
std::vector<LogResult> SyntheticResults(std::size_t logs, unsigned seed = 1);

// A checking summary with lists of `longLists` lines each (files passed over, clock offsets).
std::string SyntheticSummary(const std::vector<LogResult>& results, std::size_t longLists);

// A station's report of a few lines.
std::string SyntheticReport(const LogResult& result);
