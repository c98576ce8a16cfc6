// tnscript: runs a script file the way the program's script editor runs it
// (preludes, the three script objects, a current colour and an active scheme),
// for script authors, the conformance suite and the host's examples.

#include "core/schemefiles.h"
#include "scripting/host/headlesssession.h"
#include "scripting/host/scripthost.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/treeprinter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstdio>

using namespace tintwell::script;
using tintwell::AppContext;

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
    "Scripts see the program's objects (tnOutput, tnRed, tnConverterRGB,\n"
    "tnFmt, tnPrint ...) and the prelude constants. The current colour is\n"
    "--color (default 0, black), the active scheme the built-in Standard\n"
    "scheme or the slot file given with --scheme, whose export scripts run\n"
    "whenever the colour changes. tnPrint(text) writes text to standard output\n"
    "as it is (no line break added).\n"
    "\n"
    "With --trace, standard output is exactly what the script editor's debug\n"
    "pane would show after Execute Script. Without it, a script error is\n"
    "written to standard error as \"(Ln L, Col C) error N: description\",\n"
    "followed by \"    Source: \" and the line when known. Either way an error\n"
    "exits with status 1; a script that runs past the time limit writes\n"
    "\"Timeout\" to standard error and exits with status 2.\n"
    "Status 3: the command line or a file could not be used.\n"
    "\n"
    "With --dump-tree, a VBScript file is parsed, not run, and its tree is\n"
    "printed one node a line (\"@N\" is the source line of a statement); a\n"
    "compile error is reported as above.";

// Script files are UTF-8 when they decode as such, else Windows-1252, the
// encoding of the program's own text files.
QString decodeScript(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return tintwell::FromWindows1252(bytes);
}

void writeOut(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// The debug pane on standard output.
class StdoutPane : public DebugSink
{
public:
    void PrintDebug(const QString &data) override
    {
        writeOut(stdout, data);
        if (!data.isEmpty())
            m_tail = (m_tail + data).right(2);
        m_empty = m_empty && data.isEmpty();
    }
    bool debugIsEmpty() const override { return m_empty; }
    bool debugEndsWithLineBreak() const override { return m_tail == QLatin1String("\r\n"); }

private:
    QString m_tail;
    bool m_empty = true;
};

// Message boxes as lines on standard error.
class StderrMessages : public tintwell::UserMessages
{
public:
    tintwell::MsgResult show(const QString &title, const QString &text, tintwell::MsgIcon,
                             tintwell::MsgButtons buttons, int) override
    {
        writeOut(stderr, QStringLiteral("%1: %2\n").arg(title, text));
        return buttons == tintwell::MsgButtons::YesNo || buttons == tintwell::MsgButtons::YesNoCancel
            ? tintwell::MsgResult::Yes
            : tintwell::MsgResult::Ok;
    }
};

// --dump-tree: the parsed tree of a VBScript text, or its compile error.
int dumpTree(const QString &code)
{
    try {
        const auto prog = tintwell::vbs::parseProgram(code);
        writeOut(stdout, tintwell::vbs::dumpTree(*prog));
    } catch (const tintwell::vbs::VbsError &e) {
        const QStringList lines = code.split(QLatin1Char('\n'));
        QString text = e.line > 0 && e.line <= lines.size() ? lines[e.line - 1] : QString();
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        writeOut(stderr, QStringLiteral("(Ln %1, Col %2) error %3: %4\n")
                             .arg(e.line).arg(e.column).arg(e.number).arg(e.description));
        if (!text.isEmpty())
            writeOut(stderr, QStringLiteral("    Source: %1\n").arg(text));
        return kExitError;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tnscript"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TINTWELL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    const QCommandLineOption languageOption(QStringLiteral("language"),
        QStringLiteral("Run as NAME: VBScript, VBS, JScript or JavaScript."), QStringLiteral("NAME"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
        QStringLiteral("Time limit in milliseconds (default 1000; 0 for none)."), QStringLiteral("MS"));
    const QCommandLineOption colorOption(QStringLiteral("color"),
        QStringLiteral("The current colour, a colour value 0x00BBGGRR in decimal."), QStringLiteral("N"));
    const QCommandLineOption schemeOption(QStringLiteral("scheme"),
        QStringLiteral("A scheme slot file (.fmt or .tnf) as the active scheme."), QStringLiteral("FILE"));
    const QCommandLineOption traceOption(QStringLiteral("trace"),
        QStringLiteral("Print what the script editor's debug pane would show."));
    const QCommandLineOption framesOption(QStringLiteral("frames"),
        QStringLiteral("Folder of the script header and footer files (HeaderVB.h ...)."), QStringLiteral("DIR"));
    const QCommandLineOption converterOption(QStringLiteral("converter"),
        QStringLiteral("The text of the converter box, which tnConverter returns."), QStringLiteral("TEXT"));
    const QCommandLineOption boxesOption(QStringLiteral("boxes"),
        QStringLiteral("After the run, print the seven output boxes, one per line."));
    const QCommandLineOption lowercaseOption(QStringLiteral("lowercase-hex"),
        QStringLiteral("The Lowercase Hex option on (tnOption(TN_LOWERCASE_HEX))."));
    const QCommandLineOption zerosOption(QStringLiteral("extra-hex-zeros"),
        QStringLiteral("The Add Extra Zeros to Hex option on (tnOption(TN_EXTRA_HEX_ZEROS))."));
    const QCommandLineOption dumpTreeOption(QStringLiteral("dump-tree"),
        QStringLiteral("Print the parsed tree of a VBScript file instead of running it."));
    parser.addOptions({languageOption, timeoutOption, colorOption, schemeOption, traceOption,
                       framesOption, converterOption, boxesOption, lowercaseOption, zerosOption,
                       dumpTreeOption});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The script file."));
    const QCommandLineOption versionOption = parser.addVersionOption();
    // process() would exit with 1 on a bad option, which is a script error here.
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(versionOption))
        parser.showVersion();
    if (!parsed) {
        writeOut(stderr, QStringLiteral("tnscript: %1\nTry \"tnscript --help\".\n").arg(parser.errorText()));
        return kExitUsage;
    }

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
    if (parser.isSet(dumpTreeOption))
        return dumpTree(code);

    LanguageChoice language;
    if (parser.isSet(languageOption)) {
        const auto family = languageFamily(parser.value(languageOption));
        if (!family) {
            writeOut(stderr, QStringLiteral("tnscript: unknown language %1\n").arg(parser.value(languageOption)));
            return kExitUsage;
        }
        language = {parser.value(languageOption), *family};
    } else if (namesScriptLanguage(code)) {
        language = chooseScriptLanguage(code);
    } else {
        const bool js = QFileInfo(files.first()).suffix().compare(QLatin1String("js"), Qt::CaseInsensitive) == 0;
        language = js ? LanguageChoice{QStringLiteral("JScript"), LanguageFamily::JScript}
                      : LanguageChoice{QStringLiteral("VBScript"), LanguageFamily::VBScript};
    }

    StderrMessages messages;
    tintwell::AppContext context;
    context.Messages = &messages;
    tintwell::LoadDefaultScheme(context.Scheme, tintwell::kSchemeStandard, messages);
    if (parser.isSet(schemeOption)) {
        QString name;
        if (!tintwell::ReadSlotFile(context.Scheme, name, parser.value(schemeOption), messages)) {
            writeOut(stderr, QStringLiteral("tnscript: cannot read scheme %1\n").arg(parser.value(schemeOption)));
            return kExitUsage;
        }
    }
    context.Factors = tintwell::ComputeScaleFactors(context.Scheme);
    context.LowercaseHex = parser.isSet(lowercaseOption);
    context.AddExtraZerosToHex = parser.isSet(zerosOption);
    if (parser.isSet(framesOption)) {
        context.ProgramFolder = parser.value(framesOption);
        context.loadScriptFrames();
    }

    std::int32_t colour = 0;
    if (parser.isSet(colorOption)) {
        bool ok = false;
        colour = parser.value(colorOption).toInt(&ok, 0);
        if (!ok || (colour & ~0xFFFFFF)) {
            std::fputs("tnscript: --color takes a colour value from 0 to 16777215\n", stderr);
            return kExitUsage;
        }
    }

    HeadlessColorSession session(context);
    session.setConverterText(parser.value(converterOption));
    ScriptHost host(context, session);
    session.bindHost(&host);
    if (parser.isSet(timeoutOption)) {
        bool ok = false;
        const int ms = parser.value(timeoutOption).toInt(&ok);
        if (!ok) {
            std::fputs("tnscript: --timeout takes a whole number of milliseconds\n", stderr);
            return kExitUsage;
        }
        host.setTimeLimit(ms);
    }
    host.setMsgBoxHandler([](const QString &prompt, int, const QString &title) {
        writeOut(stderr, QStringLiteral("MsgBox %1: %2\n").arg(title, prompt));
        return 1;
    });
    // The start-up colour, with no trace of the export scripts it runs.
    session.setColors(colour);

    StdoutPane pane;
    host.attachDebugSink(&pane);
    const bool trace = parser.isSet(traceOption);
    host.trace().printWithoutEcho = !trace;
    context.Script.Echo = trace;
    const HostRunResult result = host.RunScriptAs(code, language);
    context.Script.Echo = false;
    // As at the program's shut-down: objects still held are terminated.
    host.script().Reset();
    host.script2().Reset();
    if (parser.isSet(boxesOption)) {
        if (trace) // the pane's last line has no line break of its own
            writeOut(stdout, QStringLiteral("\n"));
        for (const QString &text : session.boxes())
            writeOut(stdout, text + QLatin1Char('\n'));
    }
    std::fflush(stdout);
    if (result.outcome == RunOutcome::Timeout) {
        std::fputs("Timeout\n", stderr);
        return kExitTimeout;
    }
    if (result.outcome == RunOutcome::Error) {
        if (!trace) {
            const ScriptError &e = result.error;
            writeOut(stderr, QStringLiteral("(Ln %1, Col %2) error %3: %4\n")
                                 .arg(e.Line).arg(e.Column).arg(e.Number).arg(e.Description));
            if (!e.Text.isEmpty())
                writeOut(stderr, QStringLiteral("    Source: %1\n").arg(e.Text));
        }
        return kExitError;
    }
    return 0;
}
