#pragma once
// Dates as the language keeps them: a Double counting days from 30 December
// 1899, the fraction being the time of day (for dates before 1899 the
// fraction still counts forward from midnight).

#include <QString>

namespace tintwell::vbs {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    int weekday = 7; // 1 Sunday ... 7 Saturday
};

// Days for a calendar date; month and day outside their range roll over
// (month 13 is January of the next year, day 0 the last day of the month before).
double dateSerial(int year, int month, int day);
double timeSerial(int hour, int minute, int second);
DateParts splitDate(double serial);
double joinDate(double days, double time); // whole days plus a fraction of a day
bool validDate(double serial);             // the range years 100 to 9999 cover

QString formatDateValue(double serial);    // CStr: "12/7/2026 3:04:05 PM"
QString formatShortDate(double serial);    // "12/7/2026"
QString formatLongDate(double serial);     // "Monday, December 7, 2026"
QString formatLongTime(double serial);     // "3:04:05 PM"
QString formatShortTime(double serial);    // "15:04"
QString monthName(int month, bool abbreviate);
QString weekdayName(int weekday, bool abbreviate); // 1 Sunday

// Reads "12/7/2026", "2026-12-07", "December 7, 2026", "7 Dec 2026", times
// such as "15:04", "3:04:05 PM", or a date followed by a time.
bool parseDate(const QString &text, double *out);

double nowSerial();

} // namespace tintwell::vbs
