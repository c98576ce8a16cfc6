#pragma once
// Readable failure messages for the Qt types the tests compare.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os) { *os << "{\"" << l.join("\", \"").toStdString() << "\"}"; }
inline void PrintTo(const QColor &c, std::ostream *os) { *os << c.name().toStdString(); }
inline void PrintTo(const QVariant &v, std::ostream *os) { *os << '"' << v.toString().toStdString() << '"'; }
