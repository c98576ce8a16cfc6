// JScript cases on QJSEngine through the script control, the way the program
// runs export scripts (reset, add the object, add the code). The VBScript
// equivalents sit next to these in bench_vbscript.cpp.
//
// JScript runs in a worker process, so these report wall time: the worker's
// CPU time is not the program's, but the program waits for it all the same.

#include "scripting/scriptcontrol.h"

#include <benchmark/benchmark.h>

using namespace tintwell::script;

namespace {

class Sink : public HostObject
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

// timeLimitMs 0: the long loops measure the language, not the limit.
void runJs(benchmark::State &state, const QString &code, bool resetEachRun,
           int timeLimitMs = ScriptControl::DefaultTimeLimitMs)
{
    ScriptControl control;
    control.setLanguage(QStringLiteral("JScript"));
    control.setTimeLimit(timeLimitMs);
    Sink sink;
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
const QString kExportScript = QStringLiteral(
    "// JScript\r\n"
    "function hex2(n) { var h = n.toString(16).toUpperCase(); return h.length < 2 ? '0' + h : h; }\r\n"
    "var r = tnRed(), g = tnGreen(), b = tnBlue();\r\n"
    "var text = '#' + hex2(r) + hex2(g) + hex2(b);\r\n"
    "var lum = (0.299 * r + 0.587 * g + 0.114 * b) / 255;\r\n"
    "if (lum > 0.5) text += ' light'; else text += ' dark';\r\n"
    "text += ' (' + (lum * 100).toFixed(2) + '%)';\r\n"
    "var right = ('000000' + (r + g * 256 + b * 65536).toString(16)).slice(-6);\r\n"
    "text += ' ' + right;\r\n"
    "tnOutput(text);\r\n");

void BM_JScript_ExportScript(benchmark::State &state) { runJs(state, kExportScript, true); }
BENCHMARK(BM_JScript_ExportScript)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_JScript_MillionAdditions(benchmark::State &state)
{
    runJs(state, QStringLiteral("var s = 0; for (var i = 0; i < 1000000; i++) s = s + i;"), false, 0);
}
BENCHMARK(BM_JScript_MillionAdditions)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_JScript_Concat100k(benchmark::State &state)
{
    runJs(state, QStringLiteral("var s = ''; for (var i = 0; i < 100000; i++) s = s + 'ab';"
                                " tnOutput(s.length);"), false, 0);
}
BENCHMARK(BM_JScript_Concat100k)->UseRealTime()->Unit(benchmark::kMillisecond);

// The way the host runs it: isolated, on an engine kept while scripts leave
// it as they found it.
void BM_JScript_ExportScriptIsolated(benchmark::State &state)
{
    ScriptControl control;
    control.setLanguage(QStringLiteral("JScript"));
    Sink sink;
    control.AddObject(QStringLiteral("clsTNExport"), &sink);
    for (auto _ : state) {
        if (control.RunIsolated(kExportScript) != RunOutcome::Ok)
            state.SkipWithError(qPrintable(control.Error().Description));
    }
}
BENCHMARK(BM_JScript_ExportScriptIsolated)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The same export script without a reset between runs: the round trip of one
// short run with four host calls, engine set-up left out.
void BM_JScript_ExportScriptNoReset(benchmark::State &state) { runJs(state, kExportScript, false); }
BENCHMARK(BM_JScript_ExportScriptNoReset)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The smallest run: one statement, no host call.
void BM_JScript_EmptyRun(benchmark::State &state) { runJs(state, QStringLiteral("1;"), false); }
BENCHMARK(BM_JScript_EmptyRun)->UseRealTime()->Unit(benchmark::kMicrosecond);

// What the first run of a new engine waits for: the worker process started,
// its engines built, one run. The same is paid after a crash or a time-out
// kill, though then the new worker starts while the program goes on.
void BM_JScript_WorkerStart(benchmark::State &state)
{
    Sink sink;
    for (auto _ : state) {
        ScriptControl control;
        control.setLanguage(QStringLiteral("JScript"));
        control.AddObject(QStringLiteral("clsTNExport"), &sink);
        if (control.AddCode(QStringLiteral("1;")) != RunOutcome::Ok)
            state.SkipWithError(qPrintable(control.Error().Description));
    }
}
BENCHMARK(BM_JScript_WorkerStart)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
