// Feeds arbitrary bytes to the palette reader as each of the four kinds and
// checks what must hold for any input: a failure yields 256 black entries, and
// whatever was read survives being written and read back in every format.

#include "palette/palettefile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tintwell;
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const PaletteKind kind : {PaletteKind::Act, PaletteKind::Pal, PaletteKind::Bmp, PaletteKind::Gpl}) {
        const PaletteReadResult result = ParsePalette(text, kind);
        if (!result.ok) {
            check(!result.error.isEmpty());
            for (const std::int32_t color : result.colors)
                check(color == 0);
            continue;
        }
        for (const std::int32_t color : result.colors)
            check(color >= 0 && color <= 0xFFFFFF);
        check(ParsePalette(WriteJasc(result.colors), PaletteKind::Pal).colors == result.colors);
        check(ParsePalette(WriteRiff(result.colors), PaletteKind::Pal).colors == result.colors);
        check(ParsePalette(WriteAct(result.colors), PaletteKind::Act).colors == result.colors);
        check(ParsePalette(WritePalette(result.colors, PaletteWriteFormat::Gpl), PaletteKind::Gpl).colors
              == result.colors);
    }
    return 0;
}
