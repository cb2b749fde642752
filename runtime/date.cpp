// SPDX-License-Identifier: MIT
#include "runtime/date.h"

#include <QDate>
#include <QLocale>

namespace rt {

DateValue Date() {
  const QDate today = QDate::currentDate();
  return {today.year(), today.month(), today.day()};
}

std::string DateText(const DateValue& date) {
  return QLocale()
      .toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat)
      .toStdString();
}

}  // namespace rt
