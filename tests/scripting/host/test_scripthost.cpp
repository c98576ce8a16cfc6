// The script host: language choice, preludes, frames, trace and error lines,
// time-outs, and what survives between runs.

#include "hostfixture.h"

#include "core/schemefiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace tintwell::script::test {
namespace {

const QString kHeader = QStringLiteral("--- Executing Script (%1) ---\r\n");

// The values are checked by running them (examples/objects_and_constants.vbs); here the bytes.
TEST(ScriptPrelude, ThirtySixCrLfLinesInBothFamiliesWithTheSameConstants)
{
    const QString vb = ScriptPrelude(200);
    const QString js = ScriptPrelude(201);
    EXPECT_TRUE(ScriptPrelude(202).isEmpty());
    for (const QString &text : {vb, js}) {
        EXPECT_TRUE(text.endsWith(QLatin1String("\r\n\r\n\r\n"))); // the last two lines are empty
        EXPECT_EQ(text.count(QLatin1Char('\n')), ScriptHost::kPreludeLines);
        EXPECT_EQ(text.count(QLatin1String("\r\n")), ScriptHost::kPreludeLines);
    }
    // Line for line: "'" comments become "//", "Const X = n" becomes "var X = n;".
    QString converted = vb;
    converted.replace(QRegularExpression(QStringLiteral("(^|\n)'")), QStringLiteral("\\1//"));
    converted.replace(QRegularExpression(QStringLiteral("Const ([A-Za-z0-9_]+ = \\d+)")), QStringLiteral("var \\1;"));
    EXPECT_EQ(js, converted);
    EXPECT_TRUE(vb.startsWith(QLatin1String("'tnOptionConstants\r\nConst TN_LOWERCASE_HEX = 0\r\n")));
}

using ScriptHostTest = HostFixture;

TEST_F(ScriptHostTest, FirstLineChoosesTheLanguageAndItsPrelude)
{
    // {code, language}: each script uses a prelude constant, so the wrong
    // prelude (or language) fails the run.
    const std::pair<const char *, const char *> cases[] = {
        {"' a VBScript export\r\ntnPrint TN_DEC", "VBScript"},
        {"' vbs\r\ntnPrint TN_HEX", "VBS"},
        {"// JScript\r\ntnPrint(TN_HTML);", "JScript"},
        {"// for javascript\r\ntnPrint(TN_CMY);", "JavaScript"},
        {"' jscript or vbscript?\r\ntnPrint TN_RGB", "VBScript"},
        {"tnPrint TN_SHADE", "VBScript"},
        {"tnPrint(TN_VAL3); // JavaScript", "JavaScript"},          // one line, no CR LF
        {"\r\n// jscript below the first line\r\ntnPrint(TN_ITEM4);", "JScript"}, // begins with CR LF
        {"' plain\r\n' jscript on line two\r\ntnPrint FMT_oFormat", "VBScript"},
    };
    for (const auto &[code, language] : cases) {
        pane.text.clear();
        EXPECT_EQ(execute(QString::fromLatin1(code)).outcome, RunOutcome::Ok) << code << "\n" << pane.text.toStdString();
        EXPECT_TRUE(pane.text.startsWith(kHeader.arg(QLatin1String(language)))) << code;
        EXPECT_EQ(host->script().Language(), QLatin1String(language));
    }
}

TEST_F(ScriptHostTest, EditorTraceWithEmptyAndNonEmptyPane)
{
    execute(QStringLiteral("tnPrint \"x\""));
    EXPECT_EQ(pane.text, kHeader.arg(QLatin1String("VBScript")) + QStringLiteral("x\r\nNo errors."));

    pane.text = QStringLiteral("earlier");
    execute(QStringLiteral("// jscript\r\ntnPrint('y\\r\\n');"));
    EXPECT_EQ(pane.text, QStringLiteral("earlier\r\n\r\n") + kHeader.arg(QLatin1String("JScript"))
                             + QStringLiteral("y\r\nNo errors."));
}

TEST_F(ScriptHostTest, ErrorLinesCountFromTheUsersFirstLineWithAndWithoutHeader)
{
    execute(QStringLiteral("x = 1 / 0"));
    EXPECT_EQ(pane.text, kHeader.arg(QLatin1String("VBScript"))
                             + QStringLiteral("(Ln 1, Col 1) error 11: Division by zero\r\n"
                                              "    Source: x = 1 / 0\r\nError executing script."));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // No header, then headers of one line without a break (the usual kind) and of several lines.
    for (const char *vbHeader : {"", "Dim hdr : ", "Dim hdr\r\nDim hdr2\r\n"}) {
        if (*vbHeader) {
            for (const auto &[name, text] : {std::pair{"HeaderVB.h", vbHeader}, std::pair{"HeaderJS.h", "var hdr = 1;\r\n"},
                                             std::pair{"FooterVB.h", "\r\ntnPrint \"footer\""},
                                             std::pair{"FooterJS.h", "\r\ntnPrint('footer');"}}) {
                QFile f(dir.filePath(QString::fromLatin1(name)));
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(text);
            }
            context.ProgramFolder = dir.path();
            context.loadScriptFrames();
        }
        for (const auto &[code, line] : {std::pair{"x = 1 / 0\r\n", 1}, std::pair{"// jscript\r\nvar x = 1;\r\nnull.f();\r\n", 3}}) {
            pane.text.clear();
            const HostRunResult r = execute(QString::fromLatin1(code));
            ASSERT_EQ(r.outcome, RunOutcome::Error) << vbHeader;
            EXPECT_EQ(r.error.Line, line) << vbHeader << " " << pane.text.toStdString();
            EXPECT_TRUE(pane.text.contains(QStringLiteral("(Ln %1, Col ").arg(line))) << vbHeader;
        }
    }
    // The frames are really used: header variable seen, footer runs after the code.
    EXPECT_EQ(printed(QStringLiteral("tnPrint TypeName(hdr) & \"|\"")), QStringLiteral("Empty|footer\r\n"));
}

TEST_F(ScriptHostTest, NothingSurvivesFromOneRunToTheNext)
{
    for (const char *pair : {"x = 5 : Function f() : End Function|tnPrint TypeName(x) & \"-\" & IsEmpty(x)",
                             "// jscript\r\nvar x = 5;|// jscript\r\ntnPrint(typeof x);"}) {
        const QStringList two = QString::fromLatin1(pair).split(QLatin1Char('|'));
        ASSERT_EQ(host->RunScript(two[0]).outcome, RunOutcome::Ok);
        const QString seen = printed(two[1]);
        EXPECT_TRUE(seen == QStringLiteral("Empty-True\r\n") || seen == QStringLiteral("undefined\r\n")) << seen.toStdString();
    }
    // Script2 as well.
    context.Script.Echo = true;
    host->RunScript2(QStringLiteral("y = 7"));
    host->RunScript2(QStringLiteral("tnOutput TypeName(y)"));
    context.Script.Echo = false;
    EXPECT_EQ(context.Script.OutputText, QStringLiteral("Empty"));
}

TEST_F(ScriptHostTest, TimeoutOfTheFirstEngineInAndOutsideTheEditor)
{
    host->setTimeLimit(150);
    context.Script.ScriptName = QStringLiteral("HTML Format Converter");
    EXPECT_EQ(host->RunScript(QStringLiteral("Do : Loop")).outcome, RunOutcome::Timeout);
    ASSERT_EQ(messages.shown.size(), 1);
    const auto &box = messages.shown[0];
    EXPECT_EQ(std::tuple(box.title, box.text, box.icon, box.buttons),
              std::tuple(QStringLiteral("Timeout"), QStringLiteral("The script (HTML Format Converter) timed out."),
                         MsgIcon::Information, MsgButtons::Ok));
    EXPECT_TRUE(pane.text.isEmpty());

    execute(QStringLiteral("// jscript\r\ntnPrint('a'); for (;;) {}"));
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(pane.text, kHeader.arg(QLatin1String("JScript")) + QStringLiteral("aTimeout\r\nError executing script."));
}

TEST_F(ScriptHostTest, EchoOffWritesNoTraceEvenWithThePaneAttached)
{
    session.setConverterText(QStringLiteral("10"));
    const HostRunResult r = host->RunScript(QStringLiteral(
        "tnPrint \"p\" : tnOutput \"o\" : tnOutValues 1, 2, 3 : tnConverterRGB 1, 2, 3\r\n"
        "tnConverterHSL 0, 0, 0 : tnConverterColor 5 : tnPrint tnConverter\r\nx = 1 / 0"));
    EXPECT_EQ(r.outcome, RunOutcome::Error);
    EXPECT_TRUE(pane.text.isEmpty()) << pane.text.toStdString();
    EXPECT_EQ(session.currentColor(), 5);
    EXPECT_TRUE(messages.shown.isEmpty());

    // tnscript's plain mode: the script's own tnPrint writes, export scripts' do not.
    host->trace().printWithoutEcho = true;
    context.Scheme.Info[TN_DEC].ExportScript = QStringLiteral("tnPrint \"export\"");
    host->RunScript(QStringLiteral("tnPrint \"a\" : tnConverterRGB 1, 2, 3 : tnOutput \"o\" : tnPrint \"b\""));
    EXPECT_EQ(pane.text, QStringLiteral("ab"));
}

TEST_F(ScriptHostTest, BadScriptsEndWithTheirMessageAndTheHostGoesOn)
{
    // 65 535 characters, cut inside a comment.
    const QString big = (QStringLiteral("' vbscript\r\n") + QStringLiteral("x = x + 1 ' padding padding padding\r\n").repeated(1800))
                            .left(65524) + QStringLiteral("\r\ntnPrint x");
    const struct {
        QString code;
        RunOutcome outcome;
    } cases[] = {
        {big, RunOutcome::Ok},
        {QStringLiteral("Function f(n) : f = f(n + 1) : End Function\r\nf 1"), RunOutcome::Error},
        {QStringLiteral("// jscript\r\nfunction f(n) { return f(n + 1); }\r\nf(1);"), RunOutcome::Error},
        {QStringLiteral("s = \"x\" : Do : s = s & s : Loop"), RunOutcome::Error},
        {QStringLiteral("// jscript\r\nvar a = []; for (;;) a.push(new Array(100000).join('x'));"), RunOutcome::Error},
        {QStringLiteral("On Error Resume Next\r\n") + QStringLiteral("x = 1 / 0\r\n").repeated(2000)
             + QStringLiteral("tnPrint Err.Number"), RunOutcome::Ok},
        {QStringLiteral("x = 1 / 0\r\n").repeated(2000), RunOutcome::Error},
    };
    for (const auto &c : cases) {
        pane.text.clear();
        QElapsedTimer clock;
        clock.start();
        const HostRunResult r = execute(c.code);
        // Memory may run out or the limit strike first; either way it ends, reported.
        if (c.outcome == RunOutcome::Error)
            EXPECT_NE(r.outcome, RunOutcome::Ok) << c.code.left(60).toStdString();
        else
            EXPECT_EQ(r.outcome, RunOutcome::Ok) << c.code.left(60).toStdString();
        EXPECT_LT(clock.elapsed(), 30000) << "a bad script must end near the time limit";
        EXPECT_TRUE(pane.text.endsWith(r.outcome == RunOutcome::Ok ? QStringLiteral("No errors.")
                                                                   : QStringLiteral("Error executing script.")));
    }
    EXPECT_EQ(printed(QStringLiteral("tnPrint \"still here\"")), QStringLiteral("still here\r\n"));
}

// tnscript --scheme: a slot file becomes the active scheme, its export scripts
// (both languages) running at each colour change a script makes.
TEST_F(ScriptHostTest, TnscriptRunsAgainstASlotFileAndItsExportScripts)
{
    QTemporaryDir dir;
    FormatScheme scheme = context.Scheme;
    scheme.Info[TN_HTML].ExportScript = QStringLiteral("// jscript\r\ntnOutput('#' + tnRed());");
    scheme.Info[TN_DEC].ExportScript = QStringLiteral("tnOutput \"dec:\" & tnColor");
    ASSERT_TRUE(WriteCustomScheme(scheme, QStringLiteral("Scripted"), 1, dir.path(), messages));
    QFile script(dir.filePath(QStringLiteral("set.vbs")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly) && script.write("tnConverterRGB 1, 2, 3\r\n") > 0);
    script.close();
    QProcess tn;
    tn.start(QStringLiteral(TINTWELL_TNSCRIPT), {QStringLiteral("--scheme"), SlotFilePath(dir.path(), 1),
                                                QStringLiteral("--boxes"), script.fileName()});
    ASSERT_TRUE(tn.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(tn.readAllStandardOutput()).split(QLatin1Char('\n')).mid(0, 4),
              QStringList({"#1", "30201", "dec:197121", "1,2,3"}))
        << tn.readAllStandardError().toStdString();
}

} // namespace
} // namespace tintwell::script::test
