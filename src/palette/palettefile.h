#pragma once
// Palette files: reading ACT, JASC/RIFF PAL and the colour table of BMP files,
// writing JASC, RIFF and ACT. Files are handled as byte strings, one value
// 0..255 per byte, so no text codec ever touches them.

#include "core/usermessages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace tintwell {

using PaletteTable = std::array<std::int32_t, 256>; // colour values 0x00BBGGRR

enum class PaletteKind { Act = 0, Pal = 1, Bmp = 2, Gpl = 3 };
enum class PaletteWriteFormat { Jasc, Riff, Act, Gpl };

struct PaletteReadResult {
    PaletteTable colors{};  // always 256 entries; all black after an error
    bool ok = true;
    QString error;          // the message shown when !ok
    QString notice;         // shown after a reading that kept only part of the file
};

// Sizes the readers insist on.
constexpr qsizetype ActFileBytes = 768;
constexpr qsizetype RiffFileBytes = 1048;

// Parses without showing anything; the fuzzer and the tests use this directly.
// Never fails to return 256 entries: unreadable entries stay black, and any
// failure of the whole file yields 256 black entries and the message.
PaletteReadResult ParsePalette(QByteArrayView text, PaletteKind kind);

// Parses and reports a failure in a box titled "Error" (exclamation, OK). The
// caller forgets its file (untitled) when the result is not ok. A GIMP palette
// of more than 256 colours reads its first 256 and says so in a box titled
// "Palette Tool" (information, OK).
PaletteReadResult ReadPalette(QByteArrayView text, PaletteKind kind, UserMessages &messages);

// Whole file, but at most MaxPaletteFileBytes: none of the formats looks past
// its first few kilobytes, and a huge file chosen by mistake must not exhaust
// memory. std::nullopt for a directory or a file that cannot be opened.
constexpr qint64 MaxPaletteFileBytes = 16 * 1024 * 1024;
std::optional<QByteArray> ReadFileBytes(const QString &path);

// ReadFileBytes + ReadPalette. A file that cannot be read at all is reported
// like a malformed one ("Error" box) and yields 256 black entries, not ok.
PaletteReadResult ReadPaletteFile(const QString &path, PaletteKind kind, UserMessages &messages);

// The 768-byte ACT resource of a built-in table: 101 "Macintosh System",
// 102 "Web 125 (Unix)", 103 "Web 216", 104 "Windows System". Empty for other ids.
QByteArray LoadBuiltInTable(int resourceId);

// Kind by the text after the last "." of the file name, in lower case:
// "pal" Pal, "act" Act, "bmp" Bmp, "gpl" Gpl, anything else Pal.
PaletteKind PaletteKindForPath(const QString &path);
// The Open command: the extension decides when it is one of the four; otherwise
// the open dialog's filter (1-based) does: 1, 2, 3 Pal, 4 Act, 5 Bmp, 7 Gpl,
// and "All Files" (6) reads nothing (std::nullopt).
std::optional<PaletteKind> PaletteKindForOpen(const QString &path, int filterIndex);
// "act" Act; "gpl" Gpl; "pal" Riff when the file dialog last had filter index
// 2, else Jasc; anything else Jasc.
PaletteWriteFormat PaletteWriteFormatForPath(const QString &path, int lastFilterIndex);
// Save As: a file name without any "." gets ".pal" for filters 1 and 2,
// ".act" for filter 3 and ".gpl" for filter 4; other names are returned unchanged.
QString PaletteSaveAsPath(const QString &path, int filterIndex);

QByteArray WriteJasc(const PaletteTable &colors);
QByteArray WriteRiff(const PaletteTable &colors);
QByteArray WriteAct(const PaletteTable &colors);
// `name` is what a GIMP palette calls itself (its "Name:" line); the other
// formats carry no name.
QByteArray WritePalette(const PaletteTable &colors, PaletteWriteFormat format,
                        const QString &name = QStringLiteral("Untitled"));

// Writes to a temporary file and renames it over the old one, so a failed
// save leaves the previous file as it was. Returns the error text on failure.
std::optional<QString> SavePaletteFile(const QString &path, const QByteArray &bytes);

// Builds the file for the format and saves it (a GIMP palette is named after
// the file, without its extension); a failure is reported in a box
// titled "Error" that says the previous file was kept. True when written.
bool SavePalette(const QString &path, const PaletteTable &colors, PaletteWriteFormat format,
                 UserMessages &messages);

// One colour component of a JASC entry line: a decimal number (sign and
// fraction allowed, rounded half to even) that fits a 16-bit integer; above
// 255 counts as 255. std::nullopt for anything else, negatives included.
std::optional<int> ParseComponent(QByteArrayView piece);

} // namespace tintwell
