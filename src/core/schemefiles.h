#pragma once
// The five user scheme slots ("Custom1.fmt" ... "Custom5.fmt"), the exchange
// files that carry a slot between installations, and the script header and
// footer files. All live in one folder, passed in (the program passes
// $XDG_DATA_HOME/Tintwell/). The files are Windows-1252, one byte per
// character, CR LF after every line.
//
// Layout of a slot file: name; "v1.00"; the 84-line numeric block of the
// built-in texts; 28 separator lines (four per format, formats 0-6); then per
// format its name, the export script's line count and lines, the converter
// script's line count and lines.

#include "core/cp1252.h"
#include "core/scheme.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace tintwell {

class UserMessages;


// folder + "/Custom" + n + ".fmt", n = 1-5.
QString SlotFilePath(const QString &folder, int n);
bool SlotExists(const QString &folder, int n);
// The lowest slot 1-5 without a file; none when all five exist.
std::optional<int> FirstFreeSlot(const QString &folder);

// Reads slot file text into scheme and name, counting errors as the loaders
// do: each error in an "Error" box, the third ends the load with "Aborting
// Load". What was read before an abort stays.
SchemeLoadResult LoadCustomSchemeFromText(FormatScheme &scheme, QString &name,
                                          const QByteArray &text, UserMessages &messages);
// Reads the slot file at path; nullopt (nothing changed) when there is none
// or it cannot be opened (the latter is reported). For the editor's own
// working scheme.
std::optional<SchemeLoadResult> ReadSlotFile(FormatScheme &scheme, QString &name,
                                             const QString &path, UserMessages &messages);
// Slot n into the active scheme, its name into CustomNames[n - 1]. Result 1
// when the slot file is missing or unreadable (nothing changed), 0 otherwise,
// also after errors.
int LoadCustomScheme(FormatScheme &scheme, int n, UserMessages &messages, const QString &folder);

// The menu names of the five slots from the first 64 bytes of each file: the
// text before the first CR (or NUL), "Custom n" for a missing file.
std::array<QString, kCustomSlotCount> CustomSlotNames(const QString &folder);
void LoadCustomSlotNames(FormatScheme &scheme, const QString &folder);

// The whole slot file text of scheme under the given name.
QByteArray CustomSchemeText(const FormatScheme &scheme, const QString &name);
// Writes scheme as slot n. The new file replaces the old one only once it is
// written whole; on failure the old file stays, an "Error" box says so and the
// result is false.
bool WriteCustomScheme(const FormatScheme &scheme, const QString &name, int n,
                       const QString &folder, UserMessages &messages);

// The chosen export name with ".tnf" appended when it has no extension.
QString ExchangeFileName(const QString &path);
// Copies slot file n unchanged to destination (already passed through
// ExchangeFileName). A slot without a file shows "No Scheme Found".
bool ExportSlot(const QString &folder, int n, const QString &destination,
                UserMessages &messages);
// Copies source unchanged into the lowest free slot and returns its number;
// none (after "No Available Format Slots") when all five slots are taken, or
// when the copy fails (reported).
std::optional<int> ImportIntoFreeSlot(const QString &folder, const QString &source,
                                      UserMessages &messages);
// The message of a full set of slots; the editor shows it before its dialog opens.
void ShowNoFreeSlot(UserMessages &messages);

// Script header and footer texts; index 0 the VBScript family, 1 JScript.
struct ScriptFrames {
    std::array<QString, 2> Header;
    std::array<QString, 2> Footer;
};
// Reads "HeaderVB.h", "HeaderJS.h", "FooterVB.h", "FooterJS.h", creating
// missing ones empty. A file that can be neither read nor created reads as "".
ScriptFrames LoadScriptFrames(const QString &folder);

} // namespace tintwell
