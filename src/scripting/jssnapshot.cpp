#include "scripting/jssnapshot.h"

#include <QJSEngine>
#include <QJSValue>

#include <private/qjsvalue_p.h>
#include <private/qv4arraydata_p.h>
#include <private/qv4engine_p.h>
#include <private/qv4memberdata_p.h>
#include <private/qv4object_p.h>
#include <private/qv4functionobject_p.h>

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace tintwell::script {

namespace {

using QV4::Heap::Object;

// An object whose fixed part is larger than this is not one the layout
// below was written for.
constexpr std::size_t kMaxFixedBytes = 4096;

std::size_t fixedBytes(const Object *o)
{
    const QV4::VTable *vt = o->internalClass->vtable;
    return std::size_t(vt->inlinePropertyOffset + vt->nInlineProperties) * sizeof(QV4::Value);
}

const QV4::Value *inlineValues(const Object *o, std::size_t *count)
{
    const QV4::VTable *vt = o->internalClass->vtable;
    *count = vt->nInlineProperties;
    return reinterpret_cast<const QV4::Value *>(o) + vt->inlinePropertyOffset;
}

Object *asObject(const QV4::Value &v)
{
    if (!v.isManaged())
        return nullptr;
    QV4::Heap::Base *b = v.heapObject();
    if (!b || !b->internalClass || !b->internalClass->vtable->isObject)
        return nullptr;
    return static_cast<Object *>(b);
}

void appendWords(std::vector<quint64> &out, const void *p, std::size_t bytes)
{
    const std::size_t at = out.size();
    out.resize(at + bytes / sizeof(quint64));
    std::memcpy(out.data() + at, p, bytes);
}

} // namespace

struct EngineSnapshot::Data {
    std::vector<Object *> objects;
    std::vector<quint64> words;
    std::vector<quint64> scratch;
    QJSValue keepAlive; // an array holding every recorded object
    bool ok = false;

    // The RegExp constructor's own fields past those of any function: the
    // last match, its input and where it was.
    std::vector<quint64> regExpState;

    // Every word that makes up the recorded objects' state: the fixed part
    // of each object (its class, which carries the property names,
    // attributes, prototype and extensibility, its internal fields and
    // inline property values), then its other property values and its
    // indexed elements.
    bool record(std::vector<quint64> &out) const
    {
        out.clear();
        for (const Object *o : objects) {
            const std::size_t bytes = fixedBytes(o);
            if (bytes == 0 || bytes > kMaxFixedBytes)
                return false;
            appendWords(out, o, bytes);
            if (const QV4::Heap::MemberData *m = o->memberData.get()) {
                out.push_back(quint64(m->values.size) << 32 | m->values.alloc);
                appendWords(out, m->values.values, m->values.size * sizeof(QV4::Value));
            }
            if (const QV4::Heap::ArrayData *a = o->arrayData.get()) {
                // Sparse arrays and attributes live outside the heap where
                // no word here would show a change.
                if (a->attrs || a->sparse)
                    return false;
                out.push_back(quint64(a->type) << 32 | a->offset);
                out.push_back(quint64(a->values.size) << 32 | a->values.alloc);
                appendWords(out, a->values.values, a->values.alloc * sizeof(QV4::Value));
            }
        }
        return true;
    }
};

EngineSnapshot::EngineSnapshot() : d(std::make_unique<Data>()) {}

EngineSnapshot::~EngineSnapshot() = default;

int EngineSnapshot::objectCount() const
{
    return int(d->objects.size());
}

void EngineSnapshot::take(QJSEngine &js)
{
    QV4::ExecutionEngine *v4 = js.handle();
    d->objects.clear();
    d->ok = false;

    // Everything reachable from the engine's intrinsics and the global
    // object through property values, accessors, elements and prototypes.
    std::unordered_set<Object *> seen;
    std::vector<Object *> pending;
    auto visit = [&](Object *o) {
        if (o && seen.insert(o).second)
            pending.push_back(o);
    };
    visit(v4->globalObject->d());
    for (int i = 0; i < QV4::ExecutionEngine::NJSObjects; ++i)
        visit(asObject(v4->jsObjects[i]));
    while (!pending.empty()) {
        Object *o = pending.back();
        pending.pop_back();
        d->objects.push_back(o);
        visit(o->internalClass->prototype);
        std::size_t count = 0;
        const QV4::Value *values = inlineValues(o, &count);
        for (std::size_t i = 0; i < count; ++i)
            visit(asObject(values[i]));
        if (const QV4::Heap::MemberData *m = o->memberData.get())
            for (uint i = 0; i < m->values.size; ++i)
                visit(asObject(m->values.values[i]));
        if (const QV4::Heap::ArrayData *a = o->arrayData.get())
            if (!a->sparse)
                for (uint i = 0; i < a->values.size; ++i)
                    visit(asObject(a->values.values[(a->offset + i) % a->values.alloc]));
    }

    // The first time an object serves as a prototype the engine moves it to
    // a class of its own; do that now, or the first script to make an array
    // or a date would look like a change.
    for (Object *o : d->objects)
        o->setUsedAsProto();

    // A script may take an object out of its place; it must stay alive (and
    // its memory readable) until the comparison notices.
    d->keepAlive = js.newArray(uint(d->objects.size()));
    for (std::size_t i = 0; i < d->objects.size(); ++i)
        d->keepAlive.setProperty(quint32(i), QJSValuePrivate::fromReturnedValue(
                                                 QV4::Value::fromHeapObject(d->objects[i]).asReturnedValue()));

    // Put back after each run. Only the state before any match is kept:
    // nothing here would hold a match's objects alive. That state is the
    // last match (null), its input (the empty string or none) and two ints.
    const auto *regExp = reinterpret_cast<const quint64 *>(v4->regExpCtor()->d());
    const std::size_t from = sizeof(QV4::Heap::FunctionObject) / sizeof(quint64);
    const std::size_t to = v4->regExpCtor()->d()->internalClass->vtable->inlinePropertyOffset;
    d->regExpState.assign(regExp + from, regExp + std::max(from, to));
    const bool noMatchYet = d->regExpState.size() == 3
        && !QV4::Value::fromReturnedValue(d->regExpState[0]).isManaged()
        && (d->regExpState[1] == 0 || d->regExpState[1] == quintptr(v4->id_empty()->d()));

    d->ok = noMatchYet && d->record(d->words);
}

bool EngineSnapshot::unchanged(QJSEngine &js)
{
    if (!d->ok)
        return false;
    QV4::ExecutionEngine *v4 = js.handle();
    // Neither value needs the collector told: null is no object, and the
    // empty string is one the engine keeps for good.
    auto *regExp = reinterpret_cast<quint64 *>(v4->regExpCtor()->d());
    std::memcpy(regExp + sizeof(QV4::Heap::FunctionObject) / sizeof(quint64), d->regExpState.data(),
                d->regExpState.size() * sizeof(quint64));
    return d->record(d->scratch) && d->scratch == d->words;
}

} // namespace tintwell::script
