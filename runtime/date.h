// SPDX-License-Identifier: MIT
// The current date and its text form.
#pragma once

#include <string>

namespace rt {

// A date with no time of day.
struct DateValue {
  int year, month, day;
};

// Today, in the local time zone.
DateValue Date();

// The date as the user's locale writes it in short form (LC_ALL, LC_TIME and LANG decide).
std::string DateText(const DateValue& date);

}  // namespace rt
