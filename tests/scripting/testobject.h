#pragma once
// A host object for the tests: records what scripts pass, hands back results
// of each declared type, and runs onName, if set, inside tnName.

#include "scripting/hostobject.h"

#include <functional>

namespace tintwell::script::testing {

class RecordingObject : public HostObject
{
public:
    const QList<HostMember> &members() const override
    {
        static const QList<HostMember> list = {
            {QStringLiteral("tnPrint"), {{QStringLiteral("Data"), ValueType::String, false}}, ValueType::Empty},
            {QStringLiteral("tnRGB"),
             {{QStringLiteral("R"), ValueType::Byte, false},
              {QStringLiteral("G"), ValueType::Byte, false},
              {QStringLiteral("B"), ValueType::Byte, false}},
             ValueType::Long},
            {QStringLiteral("tnName"), {}, ValueType::String},
            {QStringLiteral("tnFail"), {}, ValueType::Empty},
        };
        return list;
    }
    QVariant invoke(int memberIndex, const QVariantList &args, HostError *error) override
    {
        switch (memberIndex) {
        case 0: printed += args[0].toString(); return {};
        case 1: return int(args[0].toUInt() + args[1].toUInt() * 256 + args[2].toUInt() * 65536);
        case 2:
            if (onName)
                onName();
            return QStringLiteral("Tintwell");
        case 3: error->number = 5; error->description = QStringLiteral("Invalid procedure call or argument"); return {};
        }
        return {};
    }
    QString printed;
    std::function<void()> onName;
};

} // namespace tintwell::script::testing
