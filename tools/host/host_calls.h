// The host's calls of the plug-in with every argument named: the 33 of AddData0 and RemoveData0,
// the 28 of CheckCall0 and the 23 of ResetStats0. Each position the plug-in does not read has a
// field of its own, so that a caller can put anything there to show that it is not read.
#pragma once

#include <array>

#include "entry_points.h"

struct QsoCall {
  host_abi::Text ownCall = "";                            // 1
  host_abi::Text call = "";                               // 2
  host_abi::Time time = nullptr;                          // 3
  std::array<host_abi::Time, 3> unreadTimes{};            // 4-6
  unsigned unread7 = 0;                                   // 7
  unsigned freqHz = 0;                                    // 8
  host_abi::Text mode = "";                               // 9: "BPSK63"
  host_abi::Text rstSent = "", rstRcvd = "";              // 10, 11
  host_abi::Text exchSent = "", exchRcvd = "";            // 12, 13: "0042"
  std::array<host_abi::Text, 8> unreadTexts{"", "", "", "", "", "", "", ""};  // 14-21
  host_abi::Text multKey = "";                            // 22: "DL"
  host_abi::Text dxcc = "";                               // 23
  std::array<int, 3> unreadInts{};                        // 24-26
  std::array<double, 2> unreadReals{};                    // 27, 28
  host_abi::Text unread29 = "";                           // 29
  host_abi::Text continent = "";                          // 30: "EU"
  host_abi::Text unread31 = "";                           // 31
  host_abi::Text band = "";                               // 32: "80m"
  host_abi::Text unread33 = "";                           // 33
};

struct CheckCallCall {
  host_abi::Text call = "";                                                    // 1
  std::array<unsigned, 2> unreadNumbers{};                                     // 2, 3
  host_abi::Text mode = "";                                                    // 4: copied, never used
  std::array<host_abi::Text, 8> unreadTexts{"", "", "", "", "", "", "", ""};  // 5-12
  host_abi::Text multKey = "";                                                 // 13
  host_abi::Text dxcc = "";                                                    // 14: only tested for emptiness
  std::array<int, 3> unreadInts{};                                             // 15-17
  std::array<double, 2> unreadReals{};                                         // 18, 19
  host_abi::Text unread20 = "";                                                // 20
  host_abi::Text continent = "";                                               // 21: copied, never used
  std::array<host_abi::Text, 3> unreadMore{"", "", ""};                        // 22-24
  host_abi::Text band = "";                                                    // 25, or null
  host_abi::Text otherBand = "";                                               // 26, or null
  char* buffer27 = nullptr;                                                    // never written
  char* buffer28 = nullptr;
};

struct ResetCall {
  host_abi::Text unread1 = "";                                                        // 1
  int startFlag = 0;                                                                  // 2: nonzero, a report run
  host_abi::Text ownCall = "";                                                        // 3
  host_abi::Time start = nullptr, end = nullptr;                                      // 4, 5
  std::array<host_abi::Text, 10> unreadTexts{"", "", "", "", "", "", "", "", "", ""};  // 6-15
  std::array<int, 3> unreadInts{};                                                    // 16-18
  std::array<double, 2> unreadReals{};                                                // 19, 20
  std::array<host_abi::Text, 3> unreadMore{"", "", ""};                               // 21-23
};

int AddData(const StatsEntryPoints& plugin, const QsoCall& qso);
int RemoveData(const StatsEntryPoints& plugin, const QsoCall& qso);
int CheckCall(const StatsEntryPoints& plugin, const CheckCallCall& query);
int ResetStats(const StatsEntryPoints& plugin, const ResetCall& reset);
