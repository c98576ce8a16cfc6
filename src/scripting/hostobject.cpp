#include "scripting/hostobject.h"

namespace tintwell::script {

// Placeholder until the engine layer lands: passes values through unchanged.
QVariant coerceArgument(const QVariant &value, ValueType, HostError *)
{
    return value;
}

QVariantList coerceArguments(const HostMember &member, const QVariantList &given, HostError *error)
{
    if (given.size() > member.arguments.size()) {
        error->number = 450;
        error->description = QStringLiteral("Wrong number of arguments or invalid property assignment");
        return {};
    }
    return given;
}

} // namespace tintwell::script
