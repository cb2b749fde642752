// SPDX-License-Identifier: MIT
#include "runtime/date.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace rt {
namespace {

NowSource nowSource = &std::chrono::system_clock::now;

}  // namespace

void setNowSource(NowSource source) {
  nowSource = source ? source : &std::chrono::system_clock::now;
}

DateValue Date() {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(nowSource().time_since_epoch());
  const QDate today = QDateTime::fromMSecsSinceEpoch(ms.count()).date();
  return {today.year(), today.month(), today.day()};
}

std::string DateText(const DateValue& date) {
  return QLocale()
      .toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat)
      .toStdString();
}

}  // namespace rt
