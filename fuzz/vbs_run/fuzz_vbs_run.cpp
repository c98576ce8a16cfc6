// Short random programs run under a 50 ms limit: whatever they do, the run
// ends with Ok, an error or a time-out, and the engine can run again.

#include "scripting/hostobject.h"
#include "scripting/vbscript/vbsengine.h"

#include <cstdint>

namespace {

class Sink : public tintwell::script::HostObject
{
public:
    const QList<tintwell::script::HostMember> &members() const override
    {
        static const QList<tintwell::script::HostMember> list = {
            {QStringLiteral("tnPrint"), {{QStringLiteral("Data"), tintwell::script::ValueType::String, false}},
             tintwell::script::ValueType::Empty},
        };
        return list;
    }
    QVariant invoke(int, const QVariantList &args, tintwell::script::HostError *) override
    {
        printed += args.value(0).toString().size();
        return {};
    }
    qsizetype printed = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tintwell;
    static Sink sink;
    static std::unique_ptr<script::Engine> engine = [] {
        auto e = script::createVbsEngine();
        e->setMsgBoxHandler([](const QString &, int, const QString &) { return 1; });
        return e;
    }();
    const QString code = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    engine->reset();
    engine->addObject(QStringLiteral("clsTNDebug"), &sink, true);
    script::ScriptError error;
    const script::RunOutcome r = engine->addCode(code, 50, &error);
    if (r == script::RunOutcome::Error && (error.Number == 0 || error.Line < 0))
        __builtin_trap(); // an error must say what and where
    engine->reset();
    return 0;
}
