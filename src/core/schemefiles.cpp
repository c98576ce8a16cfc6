#include "core/schemefiles.h"

#include "core/usermessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <charconv>
#include <cmath>

namespace tintwell {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kErrFileAccess = 75;

QString customAbortText()
{
    return QStringLiteral(
        "There have been more than 3 errors loading this custom format. Aborting.");
}

// Counts are whole numbers; anything else is a type mismatch.
std::optional<int> parseCount(const QString &line)
{
    const QByteArray bytes = line.trimmed().toLatin1();
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (begin == end || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// At most seven significant digits, a period, no exponent, no trailing zeros.
QString numberText(float value)
{
    if (value == 0.0f || !std::isfinite(value))
        return QStringLiteral("0");
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, double(value),
                                      std::chars_format::scientific, 6);
    const std::string_view text(buffer, result.ptr - buffer); // "-d.dddddde-XX"
    const bool negative = text.front() == '-';
    const std::string_view body = negative ? text.substr(1) : text;
    const std::size_t e = body.find('e');
    std::string digits;
    digits += body[0];
    digits += body.substr(2, e - 2);
    int exponent = 0;
    std::from_chars(body.data() + e + 1 + (body[e + 1] == '+'), body.data() + body.size(),
                    exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent < 0) {
        out = "0." + std::string(-exponent - 1, '0') + digits;
    } else if (exponent + 1 >= int(digits.size())) {
        out = digits + std::string(exponent + 1 - digits.size(), '0');
    } else {
        out = digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    }
    return QString::fromLatin1(negative ? "-" + out : out);
}

// Lines of the layout that hold one field must not break it: a CR LF inside
// one would shift every later field.
QString singleLine(const QString &text)
{
    QString out = text;
    out.remove(kCrLf);
    return out;
}

// Writes data whole to path: a temporary file renamed over the old one.
bool saveWhole(const QString &path, const QByteArray &data, QString &error)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        error = QStringLiteral("The folder %1 cannot be created.").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so a write that stops short (a full disk) says so here: a
    // buffered one reports the whole size, and commit() then keeps the short file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(data) != data.size()
        || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void showWriteFailure(UserMessages &messages, const QString &what, const QString &path,
                      const QString &error)
{
    messages.show(QStringLiteral("Error"),
                  QStringLiteral("%1 could not be written to %2:\n%3\nThe old file is unchanged.")
                      .arg(what, QDir::toNativeSeparators(path), error),
                  MsgIcon::Exclamation);
}

} // namespace

QString SlotFilePath(const QString &folder, int n)
{
    return QDir(folder).filePath(QStringLiteral("Custom%1.fmt").arg(n));
}

bool SlotExists(const QString &folder, int n)
{
    return QFileInfo(SlotFilePath(folder, n)).isFile();
}

std::optional<int> FirstFreeSlot(const QString &folder)
{
    for (int n = 1; n <= kCustomSlotCount; ++n)
        if (!SlotExists(folder, n))
            return n;
    return std::nullopt;
}

SchemeLoadResult LoadCustomSchemeFromText(FormatScheme &scheme, QString &name,
                                          const QByteArray &text, UserMessages &messages)
{
    detail::SchemeErrors errors(messages, QStringLiteral("the custom format"), customAbortText());
    const QStringList lines = detail::SplitSchemeLines(FromWindows1252(text));
    name = lines.at(0); // split always gives at least one line

    int line = 2;
    if (!detail::ReadNumericBlock(scheme, lines, line, errors))
        return errors.result();

    // Every step reads one line; a missing one is an error and the field stays.
    enum class Step { Read, Failed, Abort };
    auto next = [&](QString &out) {
        const int at = line++;
        if (at >= lines.size())
            return errors.report(detail::kErrMissingLine, detail::missingLineText()) ? Step::Failed
                                                                                      : Step::Abort;
        out = lines.at(at);
        return Step::Read;
    };
    for (OutputSeparator &s : scheme.OutputSeparators)
        for (QString *field : {&s.LeftEnd, &s.LeftSeparator, &s.RightSeparator, &s.RightEnd})
            if (next(*field) == Step::Abort)
                return errors.result();

    // A count that fails reads no lines and leaves that script as it was.
    // Returns false on abort.
    auto script = [&](QString &out) {
        QString countLine;
        const Step step = next(countLine);
        if (step != Step::Read)
            return step != Step::Abort;
        const std::optional<int> count = parseCount(countLine);
        if (!count)
            return errors.report(detail::kErrTypeMismatch, detail::typeMismatchText());
        QString text;
        for (int i = 0; i < *count; ++i) {
            QString scriptLine;
            const Step lineStep = next(scriptLine);
            if (lineStep == Step::Abort)
                return false;
            if (lineStep == Step::Read)
                text += scriptLine + kCrLf;
        }
        text.chop(std::min<qsizetype>(text.size(), 2));
        out = text;
        return true;
    };
    for (FormatInfo &info : scheme.Info) {
        if (next(info.FormatName) == Step::Abort || !script(info.ExportScript)
            || !script(info.ConverterScript))
            return errors.result();
    }
    return errors.result();
}

std::optional<SchemeLoadResult> ReadSlotFile(FormatScheme &scheme, QString &name,
                                             const QString &path, UserMessages &messages)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        detail::SchemeErrors errors(messages, QStringLiteral("the custom format"),
                                    customAbortText());
        errors.report(kErrFileAccess, QStringLiteral("Path/File access error"));
        return std::nullopt;
    }
    return LoadCustomSchemeFromText(scheme, name, file.readAll(), messages);
}

int LoadCustomScheme(FormatScheme &scheme, int n, UserMessages &messages, const QString &folder)
{
    if (n < 1 || n > kCustomSlotCount)
        return 1;
    QString name;
    if (!ReadSlotFile(scheme, name, SlotFilePath(folder, n), messages))
        return 1;
    scheme.CustomNames[n - 1] = name;
    return 0;
}

std::array<QString, kCustomSlotCount> CustomSlotNames(const QString &folder)
{
    std::array<QString, kCustomSlotCount> names;
    for (int n = 1; n <= kCustomSlotCount; ++n) {
        QFile file(SlotFilePath(folder, n));
        if (!QFileInfo(file).isFile()) {
            names[n - 1] = QStringLiteral("Custom %1").arg(n);
            continue;
        }
        QByteArray head;
        if (file.open(QIODevice::ReadOnly))
            head = file.read(64);
        // A shorter file reads as if padded with NULs; the name ends at the
        // first of them, as the menu would end it.
        qsizetype end = head.size();
        for (char stop : {'\r', '\n', '\0'})
            if (const qsizetype at = head.indexOf(stop); at >= 0 && at < end)
                end = at;
        names[n - 1] = FromWindows1252(head.left(end));
    }
    return names;
}

void LoadCustomSlotNames(FormatScheme &scheme, const QString &folder)
{
    scheme.CustomNames = CustomSlotNames(folder);
}

QByteArray CustomSchemeText(const FormatScheme &scheme, const QString &name)
{
    QStringList lines;
    lines << singleLine(name) << QStringLiteral("v1.00");
    for (const NumericFormat &r : scheme.Formats) {
        for (const auto *values : {&r.InputBase, &r.InputStep, &r.InputLargeStep})
            for (const float v : *values)
                lines << numberText(v);
        for (const QString &p : r.InputFormat)
            lines << singleLine(p);
        for (const float v : r.OutputBase)
            lines << numberText(v);
        for (const QString &p : r.OutputFormat)
            lines << singleLine(p);
    }
    for (const OutputSeparator &s : scheme.OutputSeparators)
        for (const QString *field : {&s.LeftEnd, &s.LeftSeparator, &s.RightSeparator, &s.RightEnd})
            lines << singleLine(*field);
    auto script = [&](const QString &text) {
        if (text.isEmpty()) {
            lines << QStringLiteral("0");
            return;
        }
        const QStringList scriptLines = text.split(kCrLf);
        lines << QString::number(scriptLines.size());
        lines << scriptLines;
    };
    for (const FormatInfo &info : scheme.Info) {
        lines << singleLine(info.FormatName);
        script(info.ExportScript);
        script(info.ConverterScript);
    }
    return ToWindows1252(lines.join(kCrLf) + kCrLf);
}

bool WriteCustomScheme(const FormatScheme &scheme, const QString &name, int n,
                       const QString &folder, UserMessages &messages)
{
    if (n < 1 || n > kCustomSlotCount)
        return false;
    const QString path = SlotFilePath(folder, n);
    QString error;
    if (saveWhole(path, CustomSchemeText(scheme, name), error))
        return true;
    showWriteFailure(messages, QStringLiteral("The format scheme"), path, error);
    return false;
}

QString ExchangeFileName(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    if (dot < 0 || dot < slash)
        return path + QStringLiteral(".tnf");
    return path;
}

bool ExportSlot(const QString &folder, int n, const QString &destination,
                UserMessages &messages)
{
    QFile slot(SlotFilePath(folder, n));
    if (n < 1 || n > kCustomSlotCount || !QFileInfo(slot).isFile()) {
        messages.show(QStringLiteral("No Scheme Found"),
                      QStringLiteral("The current scheme is no longer available for export."),
                      MsgIcon::Exclamation);
        return false;
    }
    QString error;
    if (!slot.open(QIODevice::ReadOnly)) {
        error = slot.errorString();
    } else if (saveWhole(destination, slot.readAll(), error)) {
        return true;
    }
    showWriteFailure(messages, QStringLiteral("The format scheme"), destination, error);
    return false;
}

void ShowNoFreeSlot(UserMessages &messages)
{
    messages.show(QStringLiteral("No Available Format Slots"),
                  QStringLiteral("There are no available format scheme slots. Delete\n"
                                 "one of the current format schemes and import again."),
                  MsgIcon::Information);
}

std::optional<int> ImportIntoFreeSlot(const QString &folder, const QString &source,
                                      UserMessages &messages)
{
    const std::optional<int> n = FirstFreeSlot(folder);
    if (!n) {
        ShowNoFreeSlot(messages);
        return std::nullopt;
    }
    QFile in(source);
    QString error;
    const QString path = SlotFilePath(folder, *n);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
    } else if (saveWhole(path, in.readAll(), error)) {
        return n;
    }
    showWriteFailure(messages, QStringLiteral("The imported format scheme"), path, error);
    return std::nullopt;
}

ScriptFrames LoadScriptFrames(const QString &folder)
{
    // Missing files are created empty, so the user finds them to fill in.
    QDir().mkpath(folder);
    auto read = [&](const char *fileName) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(fileName)));
        if (!file.open(QIODevice::ReadWrite) && !file.open(QIODevice::ReadOnly))
            return QString();
        return FromWindows1252(file.readAll());
    };
    ScriptFrames frames;
    frames.Header[0] = read("HeaderVB.h");
    frames.Header[1] = read("HeaderJS.h");
    frames.Footer[0] = read("FooterVB.h");
    frames.Footer[1] = read("FooterJS.h");
    return frames;
}

} // namespace tintwell
