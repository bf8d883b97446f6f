// What the DXCC and SA Prefix windows show and when, decided without the window system: the
// Win32 layer only carries these decisions out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest_log.h"

inline constexpr unsigned kRefreshTimerId = 1500;
inline constexpr unsigned kFirstRefreshMs = 300;   // after the window opens
inline constexpr unsigned kRearmRefreshMs = 330;   // after the host's last call check

inline constexpr std::string_view kModeMacro = "<MODE:BPSK31>";
inline constexpr std::string_view kBaudRateMacro = "<BAUDRATE:63>";
inline constexpr std::string_view kSp1Macro = "<SP1>";

struct FrequencyBand {
  int index = -1;    // slot of BandOrder, -1 for none of the six
  std::string text;  // e.g. "80m", empty for none
};

// Whole megahertz decide: 7,099,999 Hz is 40m, 29,000,000 Hz is none (only 28.x is 10m).
FrequencyBand BandFromFrequency(double hertz);

// "<SP1>" follows the host's frequency when it has moved strictly more than 300 Hz.
bool FrequencyMoved(double hertz, double lastMacroHertz);

// The grid rows for the entered call: each row the band's name and four cells of "   -", then each
// QSO with exactly that call writes mode, time and continent into its band's row; later QSOs win.
BandTable RowsForCall(const LogEntries& log, std::string_view enteredCall);

std::string DxccCaption(std::string_view enteredCall, std::string_view bandText);
std::string PrefixCaption(std::string_view bandText);

// The SA Prefix list is reloaded only when the band's call count differs from what was loaded
// last, so a change of band with an equal count leaves the list as it was. Each item begins with
// a blank; the list box sorts them.
std::optional<std::vector<std::string>> PrefixListReload(const BandTable& bandCalls, int band, int& loadedCount);

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

// The child control fills the client area less a one-pixel margin and the frame's two.
Rect ChildRectForClient(int clientWidth, int clientHeight);

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kEntityListBackground{255, 250, 198};
inline constexpr Rgb kGridBackground{255, 255, 198};
inline constexpr Rgb kCurrentBandRow{198, 255, 255};
inline constexpr Rgb kPrefixBackground{255, 250, 198};

// One drawing step: a fill, or a text at a point with a transparent background.
struct DrawOp {
  enum class Kind { Fill, Text } kind;
  Rect rect;          // Fill
  Rgb color;          // Fill
  int x = 0, y = 0;   // Text
  std::string text;   // Text
  bool operator==(const DrawOp&) const = default;
};

// What the painter needs, copied under the module lock.
struct PaintSnapshot {
  std::string enteredCall;
  int currentBand = -1;
  std::vector<std::string> bandDxcc;  // the current band's entities
  BandTable bandRows;                 // RowsForCall of the entered call
};

std::vector<DrawOp> PaintOps(const PaintSnapshot& snapshot, const Rect& item);

// The top-left corner both windows last read from or wrote to the settings, one pair for both.
struct WindowPosition {
  int x = 0, y = 0;
};

// A stored 0 (or no number) gives the default; x and y are replaced independently.
WindowPosition OpeningPosition(std::int32_t storedX, std::int32_t storedY, int defaultY);

struct PositionWrite {
  bool x = false, y = false;  // which coordinate differs from the remembered pair
};

// Compares the window's corner with the remembered pair, coordinate by coordinate, and
// remembers the new values.
PositionWrite SavePosition(WindowPosition& remembered, int left, int top);
