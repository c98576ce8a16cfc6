#include "core/appcontext.h"

namespace tintwell {

int AppContext::loadScheme(int index, const std::function<void()> &onLoaded)
{
    const int result = LoadScheme(Scheme, index, *Messages, ProgramFolder, onLoaded);
    Factors = ComputeScaleFactors(Scheme);
    return result;
}

} // namespace tintwell
