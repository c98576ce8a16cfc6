// Slot files and exchange files come from other installations and from hand
// edits: any bytes must load without a crash, and whatever was loaded must
// write a file that reads back without a single error. The loaded numbers
// then drive the scale factors and the slider routines, where zero and
// huge maxima must not lead to undefined conversions.

#include "core/scalefactors.h"
#include "core/schemefiles.h"
#include "core/slidervalues.h"
#include "core/usermessages.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tintwell;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    RecordingMessages messages;
    FormatScheme scheme;
    QString name;
    LoadDefaultSchemeFromText(scheme, bytes, messages);
    LoadCustomSchemeFromText(scheme, name, bytes, messages);

    const QByteArray written = CustomSchemeText(scheme, name);
    FormatScheme again;
    QString nameAgain;
    RecordingMessages quiet;
    if (LoadCustomSchemeFromText(again, nameAgain, written, quiet).errors != 0 || nameAgain != name)
        std::abort();

    const ScaleFactors factors = ComputeScaleFactors(scheme);
    SliderState state;
    state.UseOldSliders = true;
    state.BoxText = {name, QString::fromLatin1(bytes.left(40)), QStringLiteral("1.5")};
    for (int mode = 0; mode < kSystemCount; ++mode) {
        state.SliderMode = state.PrevSliderMode = mode;
        for (int i = 0; i < 4; ++i) {
            (void)OldThumbSize(state, scheme, i);
            (void)ToInternalByte(state, factors, i, scheme.Formats[mode].InputBase[i]);
        }
        InitFixValues(state, factors);
        FixValues(state, scheme, factors);
        for (int i = 0; i < 3; ++i) {
            (void)ReadSliderText(state, factors, i);
            (void)CommitSliderText(state, scheme, i);
        }
    }
    return 0;
}
