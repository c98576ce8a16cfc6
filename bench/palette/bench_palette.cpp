// How long a palette takes to read and write, and that a JASC file with far
// more lines than a palette can hold costs no more than a full one.

#include "palette/palettefile.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tintwell;

PaletteTable sampleTable()
{
    PaletteTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = i | ((255 - i) << 8) | ((i * 7 % 256) << 16);
    return t;
}

void BM_ReadJasc(benchmark::State &state)
{
    const QByteArray text = WriteJasc(sampleTable());
    for (auto _ : state)
        benchmark::DoNotOptimize(ParsePalette(text, PaletteKind::Pal));
}
BENCHMARK(BM_ReadJasc);

// A count of a million over a million lines: only the first 259 lines are looked at.
void BM_ReadJascMillionLines(benchmark::State &state)
{
    QByteArray text = "JASC-PAL\r\n0100\r\n1000000\r\n";
    for (int i = 0; i < 1000000; ++i)
        text += "1 2 3\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(ParsePalette(text, PaletteKind::Pal));
}
BENCHMARK(BM_ReadJascMillionLines);

void BM_ReadRiff(benchmark::State &state)
{
    const QByteArray text = WriteRiff(sampleTable());
    for (auto _ : state)
        benchmark::DoNotOptimize(ParsePalette(text, PaletteKind::Pal));
}
BENCHMARK(BM_ReadRiff);

void BM_WriteJasc(benchmark::State &state)
{
    const PaletteTable table = sampleTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteJasc(table));
}
BENCHMARK(BM_WriteJasc);

} // namespace

BENCHMARK_MAIN();
