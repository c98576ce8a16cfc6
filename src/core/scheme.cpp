#include "core/scheme.h"

#include "core/numberformat.h"
#include "core/schemefiles.h"
#include "core/usermessages.h"

#include <QFile>
#include <QStringList>

#include <cfloat>
#include <cmath>
#include <optional>

// The resource compiler's registration function lives outside any namespace.
static void registerSchemeResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(schemes);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace tintwell {

namespace {

constexpr int kErrOverflow = 6;

// A failing conversion of one number line: the error number and its text.
struct NumberError {
    int number;
    QString description;
};

std::optional<NumberError> toFloat(const QString &line, float &out)
{
    const std::optional<double> value = ParseSchemeNumber(line);
    if (!value || !std::isfinite(*value))
        return NumberError{detail::kErrTypeMismatch, detail::typeMismatchText()};
    // A number a 32-bit float cannot hold must not silently become infinity.
    if (std::fabs(*value) > FLT_MAX)
        return NumberError{kErrOverflow, QStringLiteral("Overflow")};
    out = static_cast<float>(*value);
    return std::nullopt;
}

} // namespace

namespace detail {

QString typeMismatchText()
{
    return QStringLiteral("Type mismatch");
}

QString missingLineText()
{
    return QStringLiteral("Subscript out of range");
}

SchemeErrors::SchemeErrors(UserMessages &messages, QString context, QString abortText)
    : m_messages(messages), m_context(std::move(context)), m_abortText(std::move(abortText))
{
}

bool SchemeErrors::report(int number, const QString &description)
{
    m_messages.show(QStringLiteral("Error"),
                    QStringLiteral("There was an error reading %1:\nError: %2\n%3")
                        .arg(m_context)
                        .arg(number)
                        .arg(description),
                    MsgIcon::Exclamation);
    ++m_result.errors;
    if (m_result.errors < 3)
        return true;
    m_messages.show(QStringLiteral("Aborting Load"), m_abortText, MsgIcon::Information);
    m_result.aborted = true;
    return false;
}

QStringList SplitSchemeLines(const QString &text)
{
    // Files written by hand in editors here end their lines with LF alone.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

bool ReadNumericBlock(FormatScheme &scheme, const QStringList &lines, int &line,
                      SchemeErrors &errors)
{
    // One step per line; a failed step leaves its field as it was.
    auto number = [&](float &field) {
        const int at = line++;
        if (at >= lines.size())
            return errors.report(kErrMissingLine, missingLineText());
        if (const auto failure = toFloat(lines.at(at), field))
            return errors.report(failure->number, failure->description);
        return true;
    };
    auto pattern = [&](QString &field) {
        const int at = line++;
        if (at >= lines.size())
            return errors.report(kErrMissingLine, missingLineText());
        field = lines.at(at);
        return true;
    };

    for (NumericFormat &record : scheme.Formats) {
        for (float &v : record.InputBase)
            if (!number(v))
                return false;
        for (float &v : record.InputStep)
            if (!number(v))
                return false;
        for (float &v : record.InputLargeStep)
            if (!number(v))
                return false;
        for (QString &p : record.InputFormat)
            if (!pattern(p))
                return false;
        for (float &v : record.OutputBase)
            if (!number(v))
                return false;
        for (QString &p : record.OutputFormat)
            if (!pattern(p))
                return false;
    }
    return true;
}

void ResetToDefaultFormatInfo(FormatScheme &scheme)
{
    static const std::array<const char *, kFormatCount> names = {
        "&RGB", "HS&L", "HS&B/HSV", "C&MY", "H&TML", "He&xadecimal", "&Decimal"};
    for (int f = 0; f < kFormatCount; ++f) {
        scheme.OutputSeparators[f] = OutputSeparator{};
        scheme.Info[f].ExportScript.clear();
        scheme.Info[f].ConverterScript.clear();
        scheme.Info[f].FormatName = QString::fromLatin1(names[f]);
    }
    for (int f = 0; f < kSystemCount; ++f) {
        scheme.OutputSeparators[f].LeftSeparator = QStringLiteral(",");
        scheme.OutputSeparators[f].RightSeparator = QStringLiteral(",");
    }
}

} // namespace detail

QByteArray BuiltInSchemeText(int resourceId)
{
    if (resourceId < kSchemeStandard || resourceId > kSchemeDecimal)
        return {};
    registerSchemeResources();
    QFile file(QStringLiteral(":/schemes/%1").arg(resourceId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

SchemeLoadResult LoadDefaultSchemeFromText(FormatScheme &scheme, const QByteArray &text,
                                           UserMessages &messages)
{
    detail::SchemeErrors errors(
        messages, QStringLiteral("the default format"),
        QStringLiteral("There have been more than 3 errors loading the default format. "
                       "Aborting. Please obtain another copy of Tintwell.exe."));
    const QStringList lines = detail::SplitSchemeLines(QString::fromLatin1(text));
    int line = 0;
    if (!detail::ReadNumericBlock(scheme, lines, line, errors))
        return errors.result();
    detail::ResetToDefaultFormatInfo(scheme);
    return errors.result();
}

SchemeLoadResult LoadDefaultScheme(FormatScheme &scheme, int resourceId, UserMessages &messages)
{
    return LoadDefaultSchemeFromText(scheme, BuiltInSchemeText(resourceId), messages);
}

int LoadScheme(FormatScheme &scheme, int index, UserMessages &messages,
               const QString &programFolder, const std::function<void()> &onLoaded)
{
    if (index < 0 || index >= kSchemeCount)
        return 0;
    int result = 0;
    if (index < kFirstCustomScheme)
        LoadDefaultScheme(scheme, kSchemeStandard + index, messages);
    else
        result = LoadCustomScheme(scheme, index - kFirstCustomScheme + 1, messages, programFolder);
    if (onLoaded)
        onLoaded();
    return result;
}

} // namespace tintwell
