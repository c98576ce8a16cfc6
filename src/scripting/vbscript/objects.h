#pragma once
// Objects a script can hold: instances of its own classes, the program's host
// objects, and the Err object.

#include "scripting/vbscript/ast.h"
#include "scripting/vbscript/value.h"

namespace tintwell::script {
class HostObject;
}

namespace tintwell::vbs {

class Interpreter;

class ClassInstance : public HeapObject
{
public:
    ClassInstance(const ClassDef *c, Interpreter *in) : HeapObject(Kind::Instance), cls(c), interp(in) {}
    bool finalize() override;
    const ClassDef *cls;
    Interpreter *interp;
    std::vector<Value> fields;
    bool initialized = false; // Class_Initialize finished: Class_Terminate may run
    bool terminated = false;
};

class HostWrapper : public HeapObject
{
public:
    HostWrapper(script::HostObject *h, QString n) : HeapObject(Kind::Host), host(h), name(std::move(n)) {}
    script::HostObject *host;
    QString name;
    int find(const QString &lower) const; // member index, -1 when none
};

class ErrObject : public HeapObject
{
public:
    ErrObject() : HeapObject(Kind::Err) {}
    int number = 0;
    QString description;
    QString source;
    QString helpFile;
    int helpContext = 0;
    void clear()
    {
        number = 0;
        description.clear();
        source.clear();
        helpFile.clear();
        helpContext = 0;
    }
};

QString typeName(const Value &v);

} // namespace tintwell::vbs
