#include "core/colormodel.h"
#include "core/numberformat.h"
#include "core/outputengine.h"
#include "core/scheme.h"
#include "core/usermessages.h"

#include <benchmark/benchmark.h>

using namespace tintwell;

static void BM_RGBToHSL(benchmark::State &state)
{
    std::uint8_t r = 0;
    for (auto _ : state) {
        std::int32_t h;
        std::uint8_t s, l;
        RGBToHSL(r++, 128, 3, h, s, l);
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(BM_RGBToHSL);

static void BM_HSLToRGB(benchmark::State &state)
{
    std::int32_t hue = 0;
    for (auto _ : state) {
        std::uint8_t r, g, b;
        benchmark::DoNotOptimize(HSLToRGB(hue, 200, 128, r, g, b));
        benchmark::DoNotOptimize(r);
        hue = (hue + 7) % 361;
    }
}
BENCHMARK(BM_HSLToRGB);

static void BM_RGBToHSB(benchmark::State &state)
{
    std::uint8_t r = 0;
    for (auto _ : state) {
        std::int32_t h = 0;
        std::uint8_t s = 0, v = 0;
        RGBToHSB(r++, 128, 3, h, s, v);
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_RGBToHSB);

static void BM_HSBToRGB(benchmark::State &state)
{
    std::int32_t hue = 0;
    for (auto _ : state) {
        std::uint8_t r, g, b;
        benchmark::DoNotOptimize(HSBToRGB(hue, 200, 128, r, g, b));
        benchmark::DoNotOptimize(r);
        hue = (hue + 7) % 361;
    }
}
BENCHMARK(BM_HSBToRGB);

static void BM_RGBToCMY(benchmark::State &state)
{
    std::uint8_t r = 0;
    for (auto _ : state) {
        std::uint8_t c, m, y;
        RGBToCMY(r++, 128, 3, c, m, y);
        benchmark::DoNotOptimize(c);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_RGBToCMY);

static void BM_FormatNumberZero(benchmark::State &state)
{
    const QString pattern = QStringLiteral("0");
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber(v, pattern));
        v += 0.37;
    }
}
BENCHMARK(BM_FormatNumberZero);

static void BM_FormatNumberGrouped(benchmark::State &state)
{
    const QString pattern = QStringLiteral("#,##0.00");
    double v = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber(v, pattern));
        v += 17.31;
    }
}
BENCHMARK(BM_FormatNumberGrouped);

static void BM_SevenBuiltInTexts(benchmark::State &state)
{
    FormatScheme scheme;
    RecordingMessages messages;
    LoadDefaultScheme(scheme, static_cast<int>(state.range(0)), messages);
    const ColorValues values = ComputeColorValues(255, 128, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuiltInBoxTexts(values, scheme, {}));
}
BENCHMARK(BM_SevenBuiltInTexts)->Arg(kSchemeStandard)->Arg(kSchemeDecimal);

static void BM_ColorValuesAndSevenTexts(benchmark::State &state)
{
    FormatScheme scheme;
    RecordingMessages messages;
    LoadDefaultScheme(scheme, kSchemeStandard, messages);
    std::uint8_t r = 0;
    for (auto _ : state) {
        const ColorValues values = ComputeColorValues(r++, 128, 7);
        benchmark::DoNotOptimize(BuiltInBoxTexts(values, scheme, {}));
    }
}
BENCHMARK(BM_ColorValuesAndSevenTexts);

BENCHMARK_MAIN();
