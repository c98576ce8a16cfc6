// One SetColors-equivalent round through the script host: the snapshot, then
// the seven output boxes, each with an export script, on the second engine.

#include "core/appcontext.h"
#include "core/scheme.h"
#include "scripting/host/headlesssession.h"
#include "scripting/host/scripthost.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

using namespace tintwell;
using namespace tintwell::script;

namespace {

// Export scripts of the size schemes carry: a few member calls and some text work.
const char *const kVbScripts[kFormatCount] = {
    "tnOutValues tnRed, tnGreen, tnBlue",
    "tnOutValues tnHue, tnSat / 2.55, tnLum / 2.55",
    "tnOutValues tnHueB, tnSatB / 2.55, tnLumB / 2.55",
    "tnOutValues tnCyan, tnMagenta, tnYellow",
    "h = Right(\"0\" & Hex(tnRed), 2) & Right(\"0\" & Hex(tnGreen), 2) & Right(\"0\" & Hex(tnBlue), 2)\r\n"
    "If tnOption(TN_LOWERCASE_HEX) Then h = LCase(h)\r\ntnOutput \"#\" & h",
    "tnOutput tnFmt(TN_OUTPUT_SEP, TN_HEX, 0, TN_ITEM1) & Hex(tnColor)",
    "tnOutput tnFormat(tnColor, \"#,##0\")",
};
const char *const kJsScripts[kFormatCount] = {
    "// jscript\r\ntnOutValues(tnRed(), tnGreen(), tnBlue());",
    "// jscript\r\ntnOutValues(tnHue(), tnSat() / 2.55, tnLum() / 2.55);",
    "// jscript\r\ntnOutValues(tnHueB(), tnSatB() / 2.55, tnLumB() / 2.55);",
    "// jscript\r\ntnOutValues(tnCyan(), tnMagenta(), tnYellow());",
    "// jscript\r\nfunction h2(n) { return (n < 16 ? '0' : '') + n.toString(16); }\r\n"
    "var h = h2(tnRed()) + h2(tnGreen()) + h2(tnBlue());\r\n"
    "tnOutput('#' + (tnOption(TN_LOWERCASE_HEX) ? h : h.toUpperCase()));",
    "// jscript\r\ntnOutput(tnFmt(TN_OUTPUT_SEP, TN_HEX, 0, TN_ITEM1) + tnColor().toString(16).toUpperCase());",
    "// jscript\r\ntnOutput(tnFormat(tnColor(), '#,##0'));",
};

// pauseMs: time between rounds that is not measured, as between the steps
// of a slider drag; 0 runs the rounds back to back.
void runRound(benchmark::State &state, const char *const *scripts, int pauseMs = 0)
{
    RecordingMessages messages;
    AppContext context;
    context.Messages = &messages;
    LoadDefaultScheme(context.Scheme, kSchemeStandard, messages);
    for (int f = 0; f < kFormatCount; ++f)
        context.Scheme.Info[std::size_t(f)].ExportScript = QString::fromLatin1(scripts[f]);
    HeadlessColorSession session(context);
    ScriptHost host(context, session);
    session.bindHost(&host);
    session.setColors(0); // engines warm
    std::int32_t colour = 0;
    for (auto _ : state) {
        if (pauseMs > 0) {
            state.PauseTiming();
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            state.ResumeTiming();
        }
        colour = (colour + 0x010203) & 0xFFFFFF;
        session.setColors(colour);
        benchmark::DoNotOptimize(session.boxes());
    }
    if (!messages.shown.isEmpty() || session.boxes()[kBoxHTML].isEmpty())
        state.SkipWithError("an export script did not run");
}

void BM_SetColorsRoundSevenVBScriptExports(benchmark::State &state) { runRound(state, kVbScripts); }
void BM_SetColorsRoundSevenJScriptExports(benchmark::State &state) { runRound(state, kJsScripts); }
void BM_SetColorsRoundSevenJScriptExportsEvery20ms(benchmark::State &state) { runRound(state, kJsScripts, 20); }

} // namespace

BENCHMARK(BM_SetColorsRoundSevenVBScriptExports)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetColorsRoundSevenJScriptExports)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetColorsRoundSevenJScriptExportsEvery20ms)->Unit(benchmark::kMicrosecond)->Iterations(200);
