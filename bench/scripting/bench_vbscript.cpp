// VBScript cases on our interpreter through the script control, the same
// three programs as the JScript cases in bench_scripting.cpp, so the two
// languages can be compared figure by figure.

#ifdef TINTWELL_HAVE_VBSCRIPT

#include "scripting/scriptcontrol.h"
#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/scanner.h"

#include <benchmark/benchmark.h>

using namespace tintwell::script;

namespace {

class VbsSink : public HostObject
{
public:
    const QList<HostMember> &members() const override
    {
        static const QList<HostMember> list = {
            {QStringLiteral("tnOutput"), {{QStringLiteral("FormattedString"), ValueType::String, false}}, ValueType::Empty},
            {QStringLiteral("tnRed"), {}, ValueType::Byte},
            {QStringLiteral("tnGreen"), {}, ValueType::Byte},
            {QStringLiteral("tnBlue"), {}, ValueType::Byte},
        };
        return list;
    }
    QVariant invoke(int memberIndex, const QVariantList &args, HostError *) override
    {
        switch (memberIndex) {
        case 0: output = args[0].toString(); return {};
        case 1: return 255u;
        case 2: return 128u;
        case 3: return 7u;
        }
        return {};
    }
    QString output;
};

void runVbs(benchmark::State &state, const QString &code, bool resetEachRun,
            int timeLimitMs = ScriptControl::DefaultTimeLimitMs)
{
    ScriptControl control;
    control.setLanguage(QStringLiteral("VBScript"));
    control.setTimeLimit(timeLimitMs);
    VbsSink sink;
    control.Reset();
    control.AddObject(QStringLiteral("clsTNExport"), &sink);
    for (auto _ : state) {
        if (resetEachRun) {
            control.Reset();
            control.AddObject(QStringLiteral("clsTNExport"), &sink);
        }
        if (control.AddCode(code) != RunOutcome::Ok)
            state.SkipWithError(qPrintable(control.Error().Description));
    }
}

// A typical 10-line export script: hex digits, padding, number formatting, a test.
const QString kVbsExportScript = QStringLiteral(
    "' VBScript\r\n"
    "Function Hex2(n) : Hex2 = Right(\"0\" & Hex(n), 2) : End Function\r\n"
    "r = tnRed : g = tnGreen : b = tnBlue\r\n"
    "text = \"#\" & Hex2(r) & Hex2(g) & Hex2(b)\r\n"
    "lum = (0.299 * r + 0.587 * g + 0.114 * b) / 255\r\n"
    "If lum > 0.5 Then text = text & \" light\" Else text = text & \" dark\"\r\n"
    "text = text & \" (\" & FormatNumber(lum * 100, 2) & \"%)\"\r\n"
    "right6 = Right(\"000000\" & Hex(r + g * 256 + b * 65536), 6)\r\n"
    "text = text & \" \" & right6\r\n"
    "tnOutput text\r\n");

void BM_VBScript_ExportScript(benchmark::State &state) { runVbs(state, kVbsExportScript, true); }
BENCHMARK(BM_VBScript_ExportScript)->Unit(benchmark::kMicrosecond);

void BM_VBScript_MillionAdditions(benchmark::State &state)
{
    runVbs(state, QStringLiteral("s = 0\r\nFor i = 0 To 999999 : s = s + i : Next\r\n"), false, 0);
}
BENCHMARK(BM_VBScript_MillionAdditions)->Unit(benchmark::kMillisecond);

void BM_VBScript_Concat100k(benchmark::State &state)
{
    runVbs(state, QStringLiteral("s = \"\"\r\nFor i = 1 To 100000 : s = s & \"ab\" : Next\r\ntnOutput Len(s)\r\n"),
           false, 0);
}
BENCHMARK(BM_VBScript_Concat100k)->Unit(benchmark::kMillisecond);

void BM_VBScript_ExportScriptNoReset(benchmark::State &state) { runVbs(state, kVbsExportScript, false); }
BENCHMARK(BM_VBScript_ExportScriptNoReset)->Unit(benchmark::kMicrosecond);

// The phases of the export script on their own, to see where its time goes.
void BM_VBScript_ExportScan(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tintwell::vbs::scan(kVbsExportScript));
}
BENCHMARK(BM_VBScript_ExportScan)->Unit(benchmark::kMicrosecond);

void BM_VBScript_ExportParse(benchmark::State &state) // scan included
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tintwell::vbs::parseProgram(kVbsExportScript));
}
BENCHMARK(BM_VBScript_ExportParse)->Unit(benchmark::kMicrosecond);

} // namespace

#endif
