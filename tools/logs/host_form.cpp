// Conversions of log values into the host's terms.
#include "host_form.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view TrimmedView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

struct Band {
  std::uint32_t lowHz, highHz;
  const char* name;
};

// The amateur bands as logs name them.
constexpr std::array<Band, 21> kBands = {{
    {135'700, 137'800, "2190m"},
    {472'000, 479'000, "630m"},
    {1'800'000, 2'000'000, "160m"},
    {3'500'000, 4'000'000, "80m"},
    {5'060'000, 5'450'000, "60m"},
    {7'000'000, 7'300'000, "40m"},
    {10'100'000, 10'150'000, "30m"},
    {14'000'000, 14'350'000, "20m"},
    {18'068'000, 18'168'000, "17m"},
    {21'000'000, 21'450'000, "15m"},
    {24'890'000, 24'990'000, "12m"},
    {28'000'000, 29'700'000, "10m"},
    {50'000'000, 54'000'000, "6m"},
    {70'000'000, 71'000'000, "4m"},
    {144'000'000, 148'000'000, "2m"},
    {222'000'000, 225'000'000, "1.25m"},
    {420'000'000, 450'000'000, "70cm"},
    {902'000'000, 928'000'000, "33cm"},
    {1'240'000'000, 1'300'000'000, "23cm"},
    {2'300'000'000, 2'450'000'000, "13cm"},
    {3'300'000'000, 3'500'000'000, "9cm"},
}};

}  // namespace

std::string HostBandName(std::string_view logBand) {
  std::string band = Trimmed(logBand);
  std::transform(band.begin(), band.end(), band.begin(), Lower);
  return band;
}

std::optional<std::string> AmateurBandOf(std::uint32_t hz) {
  const std::string_view name = AmateurBandName(hz);
  if (name.empty()) return std::nullopt;
  return std::string(name);
}

std::string_view AmateurBandName(std::uint32_t hz) {
  for (const Band& band : kBands) {
    if (hz >= band.lowHz && hz <= band.highHz) return band.name;
  }
  return {};
}

std::string SerialExchange(std::string_view logExchange) {
  const std::string_view exchange = TrimmedView(logExchange);
  if (exchange.empty() || !std::all_of(exchange.begin(), exchange.end(), IsDigit) || exchange.size() >= 4) {
    return std::string(exchange);
  }
  return std::string(4 - exchange.size(), '0').append(exchange);
}

std::optional<std::uint32_t> ScaledDecimal(std::string_view text, int fractionDigits) {
  const std::string_view number = TrimmedView(text);
  const std::size_t point = number.find('.');
  const std::string_view whole = number.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "" : number.substr(point + 1);
  auto digits = [](std::string_view s) { return std::all_of(s.begin(), s.end(), IsDigit); };
  if ((whole.empty() && fraction.empty()) || !digits(whole) || !digits(fraction)) return std::nullopt;

  constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (char c : whole) {
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  for (int i = 0; i < fractionDigits; ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    value = value * 10 + (at < fraction.size() ? static_cast<std::uint64_t>(fraction[at] - '0') : 0);
    if (value > limit) return std::nullopt;
  }
  if (fraction.size() > static_cast<std::size_t>(fractionDigits) &&
      fraction[static_cast<std::size_t>(fractionDigits)] >= '5') {
    ++value;
  }
  if (value > limit) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::string Trimmed(std::string_view text) { return std::string(TrimmedView(text)); }

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
  return upper;
}

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Upper(x) == Upper(y); });
}
