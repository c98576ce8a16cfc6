#pragma once
// The messages between JsEngine and the worker process that hosts QJSEngine.
// Each message is a 4-byte little-endian length followed by that many bytes:
// a kind byte and the fields of that kind, written with QDataStream.
//
// Host to worker: Reset, AddObject, Run, and Reply (the answer to a Call).
// Worker to host: Hello (once, when its engine is up), Call (a script called
// a host member; the worker waits for the Reply) and Done (the run ended).

#include "scripting/engine.h"

#include <QByteArray>
#include <QDataStream>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace tintwell::script::wire {

enum class Kind : quint8 {
    Reset = 1,
    AddObject = 2,
    Run = 3,
    Reply = 4,
    Hello = 10,
    Call = 11,
    Done = 12,
};

// A message larger than this is refused: a damaged length must not make the
// reader wait for, or allocate, gigabytes.
constexpr quint32 kMaxMessageBytes = 256u * 1024u * 1024u;

struct AddObjectMsg {
    qint32 index = 0;
    QString name;
    bool addMembers = true;
    QStringList members;
};

struct RunMsg {
    QString code;
    qint32 timeLimitMs = 0;
    bool isolated = false; // JsRunner::runIsolated rather than run
};

struct CallMsg {
    qint32 object = 0;
    qint32 member = 0;
    QVariantList args;
};

struct ReplyMsg {
    QVariant value;
    qint32 errorNumber = 0;
    QString errorDescription;
};

struct DoneMsg {
    RunOutcome outcome = RunOutcome::Ok;
    ScriptError error;
};

// One decoded message; only the member of its kind is filled.
struct Message {
    Kind kind = Kind::Hello;
    AddObjectMsg addObject;
    RunMsg run;
    CallMsg call;
    ReplyMsg reply;
    DoneMsg done;
};

QByteArray encodeReset();
QByteArray encodeHello();
QByteArray encode(const AddObjectMsg &m);
QByteArray encode(const RunMsg &m);
QByteArray encode(const CallMsg &m);
QByteArray encode(const ReplyMsg &m);
QByteArray encode(const DoneMsg &m);

// Takes one whole message off the front of buffer. Returns nullopt while the
// buffer holds less than one message; sets *broken (and returns nullopt) when
// the bytes cannot be a message.
std::optional<Message> take(QByteArray &buffer, bool *broken);

} // namespace tintwell::script::wire
