#include "core/appcontext.h"

#include "core/schemefiles.h"

namespace tintwell {

int AppContext::loadScheme(int index, const std::function<void()> &onLoaded)
{
    const int result = LoadScheme(Scheme, index, *Messages, ProgramFolder, onLoaded);
    Factors = ComputeScaleFactors(Scheme);
    return result;
}

void AppContext::loadScriptFrames()
{
    const ScriptFrames frames = LoadScriptFrames(ProgramFolder);
    ScriptHeader = frames.Header;
    ScriptFooter = frames.Footer;
}

} // namespace tintwell
