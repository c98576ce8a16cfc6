// tnscript: runs a script file through the script control the way the program
// does, for trying scripts and for the conformance suite.

#include "scripting/scriptcontrol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstdio>

using namespace tintwell::script;

namespace {

constexpr int kExitError = 1;
constexpr int kExitTimeout = 2;
constexpr int kExitUsage = 3;

const char kDescription[] =
    "Runs a VBScript or JScript file as the program runs its scripts.\n"
    "\n"
    "The language is the one given with --language; without it, the file's\n"
    "first line decides as it does for the program's scripts: if it contains\n"
    "\"vbscript\", \"vbs\", \"jscript\" or \"javascript\" (any letter case,\n"
    "first match in that order), that language runs. A first line that names\n"
    "none falls back to the extension: .js runs as JScript, anything else as\n"
    "VBScript.\n"
    "\n"
    "Scripts see one function, tnPrint(text), which writes text to standard\n"
    "output as it is (no line break added). A script error is written to\n"
    "standard error as \"(Ln L, Col C) error N: description\", followed by\n"
    "\"    Source: \" and the line when known, and exits with status 1; a script\n"
    "that runs past the time limit writes \"Timeout\" and exits with status 2.\n"
    "Status 3: the command line or the file could not be used.";

// Script files are UTF-8 when they decode as such, else Windows-1252, the
// encoding of the program's own text files.
QString decodeScript(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    text.clear();
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(b));
    }
    return text;
}

void writeOut(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// The one object tnscript gives scripts.
class PrintObject : public HostObject
{
public:
    const QList<HostMember> &members() const override
    {
        static const QList<HostMember> list = {
            {QStringLiteral("tnPrint"), {{QStringLiteral("Data"), ValueType::String, false}}, ValueType::Empty},
        };
        return list;
    }
    QVariant invoke(int memberIndex, const QVariantList &args, HostError *) override
    {
        if (memberIndex == 0)
            writeOut(stdout, args.value(0).toString());
        return {};
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tnscript"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    const QCommandLineOption languageOption(QStringLiteral("language"),
        QStringLiteral("Run as NAME: VBScript, VBS, JScript or JavaScript."), QStringLiteral("NAME"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
        QStringLiteral("Time limit in milliseconds (default 1000; 0 for none)."), QStringLiteral("MS"));
    parser.addOption(languageOption);
    parser.addOption(timeoutOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The script file."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        std::fputs("tnscript: give exactly one script file (see --help)\n", stderr);
        return kExitUsage;
    }
    QFile file(files.first());
    if (!file.open(QIODevice::ReadOnly)) {
        writeOut(stderr, QStringLiteral("tnscript: cannot read %1: %2\n").arg(files.first(), file.errorString()));
        return kExitUsage;
    }
    const QString code = decodeScript(file.readAll());

    QString language;
    if (parser.isSet(languageOption)) {
        language = parser.value(languageOption);
    } else if (namesScriptLanguage(code)) {
        language = chooseScriptLanguage(code).name;
    } else {
        const bool js = QFileInfo(files.first()).suffix().compare(QLatin1String("js"), Qt::CaseInsensitive) == 0;
        language = js ? QStringLiteral("JScript") : QStringLiteral("VBScript");
    }

    ScriptControl control;
    if (!control.setLanguage(language)) {
        writeOut(stderr, QStringLiteral("tnscript: unknown language %1\n").arg(language));
        return kExitUsage;
    }
    if (parser.isSet(timeoutOption)) {
        bool ok = false;
        const int ms = parser.value(timeoutOption).toInt(&ok);
        if (!ok) {
            std::fputs("tnscript: --timeout takes a whole number of milliseconds\n", stderr);
            return kExitUsage;
        }
        control.setTimeLimit(ms);
    }
    control.setMsgBoxHandler([](const QString &prompt, int, const QString &title) {
        writeOut(stderr, QStringLiteral("MsgBox %1: %2\n").arg(title, prompt));
        return 1;
    });

    PrintObject printer;
    control.Reset();
    control.AddObject(QStringLiteral("clsTNDebug"), &printer, true);
    const RunOutcome outcome = control.AddCode(code);
    // As at the program's shut-down: objects still held are terminated.
    const ScriptError e = control.Error();
    control.Reset();
    std::fflush(stdout);
    if (outcome == RunOutcome::Timeout) {
        std::fputs("Timeout\n", stderr);
        return kExitTimeout;
    }
    if (outcome == RunOutcome::Error) {
        writeOut(stderr, QStringLiteral("(Ln %1, Col %2) error %3: %4\n")
                             .arg(e.Line).arg(e.Column).arg(e.Number).arg(e.Description));
        if (!e.Text.isEmpty())
            writeOut(stderr, QStringLiteral("    Source: %1\n").arg(e.Text));
        return kExitError;
    }
    return 0;
}
