// Text typed or pasted into the converter, read as any of the eight kinds
// under a scheme whose separators and output maxima come from the input too:
// every input ends in a colour or one of the two messages, never a crash.

#include "core/scalefactors.h"
#include "core/scheme.h"
#include "core/usermessages.h"
#include "picker/converter.h"

#include <QStringList>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2 + sizeof(float))
        return 0;
    const int type = data[0] % tintwell::kConvertTypeCount;
    const int builtIn = data[1] % 4;
    float base;
    std::memcpy(&base, data + 2, sizeof base);
    const auto *rest = reinterpret_cast<const char *>(data + 2 + sizeof base);
    const QStringList parts =
        QString::fromLatin1(rest, static_cast<qsizetype>(size - 2 - sizeof base)).split(QLatin1Char('\n'));

    static tintwell::FormatScheme schemes[4];
    static bool loaded = false;
    if (!loaded) {
        tintwell::RecordingMessages quiet;
        for (int i = 0; i < 4; ++i)
            tintwell::LoadDefaultScheme(schemes[i], tintwell::kSchemeStandard + i, quiet);
        loaded = true;
    }
    tintwell::FormatScheme scheme = schemes[builtIn];
    const int format = tintwell::SchemeFormatOfConvertType(type);
    if (format >= 0 && format < tintwell::kSystemCount) {
        tintwell::OutputSeparator &sep = scheme.OutputSeparators[std::size_t(format)];
        QString *fields[4] = {&sep.LeftEnd, &sep.LeftSeparator, &sep.RightSeparator, &sep.RightEnd};
        for (int i = 0; i < 4 && i + 1 < parts.size(); ++i)
            *fields[i] = parts[i + 1];
        scheme.Formats[std::size_t(format)].OutputBase[0] = base;
    }
    const tintwell::ScaleFactors factors = tintwell::ComputeScaleFactors(scheme);
    const tintwell::ConvertResult r = tintwell::ConvertText(parts.value(0), type, scheme, factors);
    // A colour handed on is always a plain colour.
    if (r.outcome == tintwell::ConvertOutcome::SetColor && (r.color < 0 || r.color > 0xFFFFFF))
        __builtin_trap();
    return 0;
}
