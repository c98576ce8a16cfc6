#include "app/commandline.h"

#include <QCommandLineParser>

namespace tintwell {

namespace {

const char kUsage[] =
    "Usage: tintwell [options]\n"
    "A colour-selection tool: build a colour with sliders, pick it off the screen\n"
    "or a palette, and copy it as text in seven formats.\n"
    "\n"
    "Options:\n"
    "  -h, --help             Show this help and exit.\n"
    "  -v, --version          Show the version and exit.\n"
    "  -c, --color RRGGBB     Start with this colour instead of the last one\n"
    "                         (six hexadecimal digits, \"#\" in front allowed).\n"
    "\n"
    "The toolkit's own options (-platform, -style, -display ...) are accepted too.\n";

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption color{{QStringLiteral("c"), QStringLiteral("color")}, QString(),
                             QStringLiteral("RRGGBB")};
};

CommandLineResult failure(const QString &message)
{
    CommandLineResult result;
    result.ExitCode = kExitUsage;
    result.Error = QStringLiteral("tintwell: %1\nTry \"tintwell --help\".\n").arg(message);
    return result;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> ParseColorArgument(const QString &text)
{
    const QString digits = text.startsWith(QLatin1Char('#')) ? text.mid(1) : text;
    if (digits.size() != 6)
        return std::nullopt;
    int rgb = 0;
    for (const QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        rgb = rgb * 16 + d;
    }
    // Written as RRGGBB, stored with red in the lowest byte.
    const int red = (rgb >> 16) & 0xFF;
    const int green = (rgb >> 8) & 0xFF;
    const int blue = rgb & 0xFF;
    return std::int32_t(red + green * 256 + blue * 65536);
}

bool AsksForTextOnly(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("-h") || a == QLatin1String("--help") || a == QLatin1String("-?")
            || a == QLatin1String("-v") || a == QLatin1String("--version"))
            return true;
    }
    return false;
}

CommandLineResult ParseCommandLine(const QStringList &arguments, const QString &version)
{
    Options o;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(o.help);
    parser.addOption(o.version);
    parser.addOption(o.color);
    const bool parsed = parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("tintwell")}
                                                         : arguments);

    if (parser.isSet(o.help) || arguments.contains(QLatin1String("-?"))) {
        CommandLineResult result;
        result.Output = QString::fromLatin1(kUsage);
        return result;
    }
    if (parser.isSet(o.version)) {
        CommandLineResult result;
        result.Output = QStringLiteral("Tintwell %1\n").arg(version);
        return result;
    }
    if (!parsed)
        return failure(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return failure(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));

    StartOptions start;
    if (parser.isSet(o.color)) {
        const QStringList values = parser.values(o.color);
        const QString &value = values.last();
        start.StartColor = ParseColorArgument(value);
        if (!start.StartColor)
            return failure(QStringLiteral("--color takes six hexadecimal digits such as FF8000 "
                                          "or #FF8000, not \"%1\"").arg(value));
    }
    CommandLineResult result;
    result.Start = start;
    return result;
}

} // namespace tintwell
