#include "scripting/jswire.h"

#include <QIODevice>

namespace tintwell::script::wire {

namespace {

constexpr QDataStream::Version kVersion = QDataStream::Qt_6_4;

// Builds the frame: room for the length, the kind, the fields, then the length.
template <typename Fill>
QByteArray frame(Kind kind, Fill fill)
{
    QByteArray bytes(4, '\0');
    {
        QDataStream out(&bytes, QIODevice::WriteOnly | QIODevice::Append);
        out.setVersion(kVersion);
        out << quint8(kind);
        fill(out);
    }
    const quint32 n = quint32(bytes.size() - 4);
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((n >> (8 * i)) & 0xFFu);
    return bytes;
}

bool knownKind(quint8 k)
{
    switch (Kind(k)) {
    case Kind::Reset:
    case Kind::AddObject:
    case Kind::Run:
    case Kind::Reply:
    case Kind::Hello:
    case Kind::Call:
    case Kind::Done:
        return true;
    }
    return false;
}

} // namespace

QByteArray encodeReset()
{
    return frame(Kind::Reset, [](QDataStream &) {});
}

QByteArray encodeHello()
{
    return frame(Kind::Hello, [](QDataStream &) {});
}

QByteArray encode(const AddObjectMsg &m)
{
    return frame(Kind::AddObject, [&](QDataStream &out) { out << m.index << m.name << m.addMembers << m.members; });
}

QByteArray encode(const RunMsg &m)
{
    return frame(Kind::Run, [&](QDataStream &out) { out << m.code << m.timeLimitMs << m.isolated; });
}

QByteArray encode(const CallMsg &m)
{
    return frame(Kind::Call, [&](QDataStream &out) { out << m.object << m.member << m.args; });
}

QByteArray encode(const ReplyMsg &m)
{
    return frame(Kind::Reply, [&](QDataStream &out) { out << m.value << m.errorNumber << m.errorDescription; });
}

QByteArray encode(const DoneMsg &m)
{
    return frame(Kind::Done, [&](QDataStream &out) {
        out << qint32(m.outcome) << qint32(m.error.Number) << m.error.Description << qint32(m.error.Line)
            << qint32(m.error.Column) << m.error.Text;
    });
}

std::optional<Message> take(QByteArray &buffer, bool *broken)
{
    *broken = false;
    if (buffer.size() < 4)
        return std::nullopt;
    quint32 n = 0;
    for (int i = 0; i < 4; ++i)
        n |= quint32(quint8(buffer[i])) << (8 * i);
    if (n == 0 || n > kMaxMessageBytes) {
        *broken = true;
        return std::nullopt;
    }
    // The kind comes first: a stream of nonsense is refused at its fifth byte,
    // not after its length's worth of it has been read.
    if (buffer.size() >= 5 && !knownKind(quint8(buffer[4]))) {
        *broken = true;
        return std::nullopt;
    }
    if (quint64(buffer.size()) < 4ull + n)
        return std::nullopt;
    const QByteArray body = buffer.mid(4, qsizetype(n));
    buffer.remove(0, qsizetype(4 + n));

    QDataStream in(body);
    in.setVersion(kVersion);
    quint8 kind = 0;
    in >> kind;
    Message m;
    m.kind = Kind(kind);
    switch (m.kind) {
    case Kind::Reset:
    case Kind::Hello:
        break;
    case Kind::AddObject:
        in >> m.addObject.index >> m.addObject.name >> m.addObject.addMembers >> m.addObject.members;
        break;
    case Kind::Run:
        in >> m.run.code >> m.run.timeLimitMs >> m.run.isolated;
        break;
    case Kind::Call:
        in >> m.call.object >> m.call.member >> m.call.args;
        break;
    case Kind::Reply:
        in >> m.reply.value >> m.reply.errorNumber >> m.reply.errorDescription;
        break;
    case Kind::Done: {
        qint32 outcome = 0, number = 0, line = 0, column = 0;
        in >> outcome >> number >> m.done.error.Description >> line >> column >> m.done.error.Text;
        if (outcome < int(RunOutcome::Ok) || outcome > int(RunOutcome::Timeout))
            in.setStatus(QDataStream::ReadCorruptData);
        m.done.outcome = RunOutcome(outcome);
        m.done.error.Number = number;
        m.done.error.Line = line;
        m.done.error.Column = column;
        break;
    }
    default:
        in.setStatus(QDataStream::ReadCorruptData);
        break;
    }
    // Every field read and nothing left over: anything else is a damaged stream.
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        *broken = true;
        return std::nullopt;
    }
    return m;
}

} // namespace tintwell::script::wire
