#pragma once

#include <QDate>
#include <QString>

// The code that opens the settings page on a given day. The page is locked so that guests, who
// hold the tablet in customer mode, cannot change the terminal; staff work the code out from the
// date: write the date as eight digits (year, month, day: 20261207), replace every digit d by
// 9 - d (79738792) and read the result from right to left (29783797).
namespace AccessCode {
QString forDate(const QDate &date);
} // namespace AccessCode
