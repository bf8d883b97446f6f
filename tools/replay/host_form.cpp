// Conversions of log values into the host's terms.
#include "host_form.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// Proleptic Gregorian day number, counted from 1970-01-01.
long long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yoe = year - era * 400;
  const long long doy = (153LL * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[static_cast<std::size_t>(month - 1)];
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

std::optional<double> HostDays(const CalendarTime& t) {
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return std::nullopt;
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    return std::nullopt;
  }
  const long long day = DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(1899, 12, 30);
  // One division of whole seconds: the nearest double to the second, which the host's own
  // conversion reads back as that same second. Before 1899-12-30 the day count runs backwards
  // while the time of day still runs forwards: -1.25 is 1899-12-29 06:00.
  const double time = (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
  return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

std::string HostBandName(std::string_view logBand) {
  std::string band = Trimmed(logBand);
  std::transform(band.begin(), band.end(), band.begin(), Lower);
  return band;
}

std::optional<std::string> AmateurBandOf(std::uint32_t hz) {
  for (const Band& band : kBands) {
    if (hz >= band.lowHz && hz <= band.highHz) return std::string(band.name);
  }
  return std::nullopt;
}

std::string SerialExchange(std::string_view logExchange) {
  std::string exchange = Trimmed(logExchange);
  if (exchange.empty() || !std::all_of(exchange.begin(), exchange.end(), IsDigit)) return exchange;
  if (exchange.size() < 4) exchange.insert(0, 4 - exchange.size(), '0');
  return exchange;
}

std::optional<std::uint32_t> ScaledDecimal(std::string_view text, int fractionDigits) {
  const std::string number = Trimmed(text);
  const std::size_t point = number.find('.');
  const std::string whole = number.substr(0, point);
  const std::string fraction = point == std::string::npos ? "" : number.substr(point + 1);
  auto digits = [](const std::string& s) { return std::all_of(s.begin(), s.end(), IsDigit); };
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

std::string Trimmed(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
  return upper;
}

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Upper(x) == Upper(y); });
}
