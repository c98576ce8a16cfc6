#include "scripting/vbscript/objects.h"

#include "scripting/hostobject.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"

namespace tintwell::vbs {

bool ClassInstance::finalize()
{
    if (terminated || !initialized || !cls->terminate || !interp || interp->isShuttingDown())
        return true;
    terminated = true;
    interp->queueTerminate(this);
    return false;
}

int HostWrapper::find(const QString &lower) const
{
    const QList<script::HostMember> &m = host->members();
    for (int i = 0; i < m.size(); ++i)
        if (m[i].name.compare(lower, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void BuiltinObject::set(Interpreter &, const QString &, const QString &name, Value)
{
    raise(err::NoSuchMember, name);
}

bool BuiltinObject::items(std::vector<Value> *)
{
    return false;
}

QString typeName(const Value &v)
{
    switch (v.type) {
    case VarType::Empty: return QStringLiteral("Empty");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Boolean: return QStringLiteral("Boolean");
    case VarType::Byte: return QStringLiteral("Byte");
    case VarType::Integer: return QStringLiteral("Integer");
    case VarType::Long: return QStringLiteral("Long");
    case VarType::Single: return QStringLiteral("Single");
    case VarType::Double: return QStringLiteral("Double");
    case VarType::Currency: return QStringLiteral("Currency");
    case VarType::Date: return QStringLiteral("Date");
    case VarType::String: return QStringLiteral("String");
    case VarType::Error: return QStringLiteral("Error");
    case VarType::Array: return QStringLiteral("Variant()");
    case VarType::Object:
        if (!v.obj)
            return QStringLiteral("Nothing");
        switch (v.obj->kind) {
        case HeapObject::Kind::Instance: return static_cast<ClassInstance *>(v.obj.get())->cls->name;
        case HeapObject::Kind::Host: return static_cast<HostWrapper *>(v.obj.get())->name;
        case HeapObject::Kind::Err: return QStringLiteral("ErrObject");
        case HeapObject::Kind::Builtin: return static_cast<BuiltinObject *>(v.obj.get())->typeName();
        default: return QStringLiteral("Object");
        }
    default:
        return QStringLiteral("Variant");
    }
}

} // namespace tintwell::vbs
