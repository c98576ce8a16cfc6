#pragma once
// Windows-1252, the single-byte encoding of the program's text files (slot
// and exchange files, script header and footer files, exported scripts) and
// of the character codes scripts see. The five bytes the code page leaves
// undefined map to the control characters of the same number, so every byte
// survives a read and a write.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace tintwell {

// The character of one byte.
QChar Windows1252Char(unsigned char byte);
// The byte of one character; -1 when the code page has none for it.
int Windows1252Byte(QChar ch);

QString FromWindows1252(const QByteArray &bytes);
// Characters the code page lacks become "?".
QByteArray ToWindows1252(const QString &text);

} // namespace tintwell
