#include "scripting/vbscript/datetime.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace tintwell::vbs {

namespace {

// Days from 1970-01-01 for a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void civilFromDays(int64_t z, int &y, int &m, int &d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t yy = int64_t(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yy + (m <= 2));
}

const int64_t kEpoch = daysFromCivil(1899, 12, 30);

const char *const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};
const char *const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                             "Saturday"};

int findMonth(const QString &word)
{
    if (word.size() < 3)
        return 0;
    for (int i = 0; i < 12; ++i) {
        const QString name = QString::fromLatin1(kMonths[i]);
        if (name.startsWith(word, Qt::CaseInsensitive) || word.compare(name.left(3), Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

} // namespace

double dateSerial(int year, int month, int day)
{
    int64_t y = year;
    if (y >= 0 && y < 30)
        y += 2000;
    else if (y >= 30 && y < 100)
        y += 1900;
    int64_t m = int64_t(month) - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12;
    return double(daysFromCivil(y, unsigned(m + 1), 1) - kEpoch + (int64_t(day) - 1));
}

double timeSerial(int hour, int minute, int second)
{
    return (double(hour) * 3600.0 + double(minute) * 60.0 + double(second)) / 86400.0;
}

double joinDate(double days, double time)
{
    // Negative serials store the time as a positive fraction after the minus sign.
    if (days < 0)
        return days - time;
    return days + time;
}

DateParts splitDate(double serial)
{
    DateParts p;
    double whole = std::trunc(serial);
    double frac = std::fabs(serial - whole);
    int64_t secs = int64_t(std::llround(frac * 86400.0));
    if (secs >= 86400) {
        secs -= 86400;
        whole += serial < 0 ? -1 : 1;
    }
    civilFromDays(int64_t(whole) + kEpoch, p.year, p.month, p.day);
    p.hour = int(secs / 3600);
    p.minute = int(secs / 60 % 60);
    p.second = int(secs % 60);
    const int64_t dn = int64_t(whole) + kEpoch; // 1970-01-01 was a Thursday
    p.weekday = int(((dn + 4) % 7 + 7) % 7) + 1;
    return p;
}

bool validDate(double serial)
{
    return std::isfinite(serial) && serial >= -657434.0 && serial < 2958466.0;
}

QString formatShortDate(double serial)
{
    const DateParts p = splitDate(serial);
    return QStringLiteral("%1/%2/%3").arg(p.month).arg(p.day).arg(p.year);
}

QString formatLongDate(double serial)
{
    const DateParts p = splitDate(serial);
    return QStringLiteral("%1, %2 %3, %4")
        .arg(QLatin1String(kDays[p.weekday - 1]), QLatin1String(kMonths[p.month - 1]))
        .arg(p.day)
        .arg(p.year);
}

QString formatLongTime(double serial)
{
    const DateParts p = splitDate(serial);
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(h12)
        .arg(p.minute, 2, 10, QLatin1Char('0'))
        .arg(p.second, 2, 10, QLatin1Char('0'))
        .arg(p.hour < 12 ? QLatin1String("AM") : QLatin1String("PM"));
}

QString formatShortTime(double serial)
{
    const DateParts p = splitDate(serial);
    return QStringLiteral("%1:%2").arg(p.hour, 2, 10, QLatin1Char('0')).arg(p.minute, 2, 10, QLatin1Char('0'));
}

QString formatDateValue(double serial)
{
    const double whole = std::trunc(serial);
    const bool hasTime = std::fabs(serial - whole) * 86400.0 >= 0.5;
    // Day zero is "no date": midnight of it still shows as a time.
    if (whole == 0)
        return formatLongTime(serial);
    if (!hasTime)
        return formatShortDate(serial);
    return formatShortDate(serial) + QLatin1Char(' ') + formatLongTime(serial);
}

QString monthName(int month, bool abbreviate)
{
    const QString n = QString::fromLatin1(kMonths[month - 1]);
    return abbreviate ? n.left(3) : n;
}

QString weekdayName(int weekday, bool abbreviate)
{
    const QString n = QString::fromLatin1(kDays[weekday - 1]);
    return abbreviate ? n.left(3) : n;
}

namespace {

// Splits a date text into numbers, words and the separators between them.
struct DateTokens {
    QList<int> numbers;
    QList<int> numberDigits;
    int month = 0;     // from a month name
    int monthPos = -1; // position among the numbers where the name stood
    bool pm = false, am = false;
    int hour = -1, minute = 0, second = 0;
    bool ok = true;
};

bool parseTime(const QString &t, int *h, int *m, int *s)
{
    const QStringList parts = t.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    bool ok1, ok2, ok3 = true;
    *h = parts[0].toInt(&ok1);
    *m = parts[1].toInt(&ok2);
    *s = parts.size() == 3 ? parts[2].toInt(&ok3) : 0;
    return ok1 && ok2 && ok3 && *h >= 0 && *h < 24 && *m >= 0 && *m < 60 && *s >= 0 && *s < 60;
}

} // namespace

bool parseDate(const QString &text, double *out)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    // Time part: a word holding ':' plus an optional AM/PM.
    int hour = -1, minute = 0, second = 0;
    QStringList words = t.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    QStringList dateWords;
    int ampm = 0;
    for (const QString &w : words) {
        if (w.contains(QLatin1Char(':'))) {
            QString tw = w;
            if (tw.endsWith(QLatin1String("AM"), Qt::CaseInsensitive) || tw.endsWith(QLatin1String("PM"), Qt::CaseInsensitive)) {
                ampm = tw.endsWith(QLatin1String("PM"), Qt::CaseInsensitive) ? 2 : 1;
                tw.chop(2);
            }
            if (hour >= 0 || !parseTime(tw, &hour, &minute, &second))
                return false;
        } else if (w.compare(QLatin1String("AM"), Qt::CaseInsensitive) == 0) {
            ampm = 1;
        } else if (w.compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0) {
            ampm = 2;
        } else {
            dateWords << w;
        }
    }
    if (ampm) {
        if (hour < 0 || hour > 12 || hour == 0)
            return false;
        if (ampm == 1 && hour == 12)
            hour = 0;
        else if (ampm == 2 && hour != 12)
            hour += 12;
    }
    double days = 0;
    if (!dateWords.isEmpty()) {
        QList<int> nums;
        int month = 0;
        int monthIndex = -1;
        bool yearFirst = false;
        for (const QString &w : dateWords) {
            const QStringList parts = w.split(QRegularExpression(QStringLiteral("[/\\-.]")), Qt::SkipEmptyParts);
            for (int i = 0; i < parts.size(); ++i) {
                bool ok;
                const int v = parts[i].toInt(&ok);
                if (ok) {
                    if (nums.isEmpty() && monthIndex < 0 && parts[i].size() == 4)
                        yearFirst = true;
                    nums << v;
                } else {
                    const int mo = findMonth(parts[i]);
                    if (!mo || month)
                        return false;
                    month = mo;
                    monthIndex = int(nums.size());
                }
            }
        }
        int y, m, d;
        if (month) {
            if (nums.size() == 2) {
                // "December 7, 2026" or "7 December 2026"
                d = nums[0];
                y = nums[1];
            } else if (nums.size() == 1) {
                d = nums[0];
                y = splitDate(nowSerial()).year;
            } else {
                return false;
            }
            m = month;
        } else if (nums.size() == 3) {
            if (yearFirst) {
                y = nums[0]; m = nums[1]; d = nums[2];
            } else {
                m = nums[0]; d = nums[1]; y = nums[2];
                if (m > 12 && d <= 12)
                    std::swap(m, d);
            }
        } else if (nums.size() == 2) {
            m = nums[0]; d = nums[1];
            y = splitDate(nowSerial()).year;
        } else {
            return false;
        }
        if (m < 1 || m > 12 || d < 1 || d > 31 || y < 0 || y > 9999)
            return false;
        days = dateSerial(y, m, d);
        if (splitDate(days).day != d)
            return false;
    } else if (hour < 0) {
        return false;
    }
    *out = joinDate(days, hour >= 0 ? timeSerial(hour, minute, second) : 0);
    return true;
}

double nowSerial()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return joinDate(dateSerial(d.year(), d.month(), d.day()),
                    (t.hour() * 3600.0 + t.minute() * 60.0 + t.second()) / 86400.0);
}

} // namespace tintwell::vbs
