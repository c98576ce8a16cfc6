// The settings file is edited by hand and cut short by crashes: any bytes must
// read without a crash, every line that can be read must survive being written
// out again, and what is written must read back without a single fault.

#include "platform/settingsfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tintwell;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const SettingsParseResult first = parseSettingsText(bytes);
    if (first.faults.size() > SettingsParseResult::kMaxFaults || first.faults.size() > first.faultCount)
        std::abort();
    const QByteArray written = serializeSettings(first.data);
    const SettingsParseResult again = parseSettingsText(written);
    if (again.faultCount != 0 || again.data != first.data)
        std::abort();
    return 0;
}
