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

// Objects the language itself provides (RegExp and what its methods return).
class BuiltinObject : public HeapObject
{
public:
    BuiltinObject() : HeapObject(Kind::Builtin) {}
    virtual QString typeName() const = 0;
    // Reads a property or calls a method; lower is empty for the default
    // member. Raises the language's error for a member it does not have.
    virtual Value get(Interpreter &in, const QString &lower, const QString &name, std::vector<Value> &args) = 0;
    virtual void set(Interpreter &in, const QString &lower, const QString &name, Value v);
    // Whether the object stands for a value without arguments (Match.Value).
    virtual bool hasDefault() const { return false; }
    // The elements For Each walks; false when the object is no collection.
    virtual bool items(std::vector<Value> *out);
};

// A new object of a class the language provides ("regexp"), or null when
// there is no such class.
HeapObject *newBuiltinObject(const QString &lower);

QString typeName(const Value &v);

} // namespace tintwell::vbs
