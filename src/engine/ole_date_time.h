// The host's date-time value and its text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class DateTimeStatus : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

// Days since 1899-12-30 00:00; the fraction is the time of day.
struct COleDateTime {
  double days = 0.0;
  DateTimeStatus status = DateTimeStatus::Valid;

  // Both null, or both valid with the same day count; invalid values never compare equal.
  friend bool operator==(const COleDateTime& a, const COleDateTime& b);
};

// strftime-style: %Y %m %d %H %M %S %%. Null gives "", invalid or unconvertible "Invalid DateTime".
std::string FormatDateTime(const COleDateTime& value, std::string_view pattern);

inline constexpr std::string_view kInvalidDateTimeText = "Invalid DateTime";
