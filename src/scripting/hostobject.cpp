#include "scripting/hostobject.h"
#include "scripting/valuetext.h"

#include <cmath>
#include <limits>
#include <optional>

namespace tintwell::script {

namespace {

constexpr int kOverflow = 6;
constexpr int kTypeMismatch = 13;
constexpr int kInvalidNull = 94;
constexpr int kWrongArgCount = 450;

void raise(HostError *error, int number)
{
    if (!error)
        return;
    error->number = number;
    switch (number) {
    case kOverflow: error->description = QStringLiteral("Overflow"); break;
    case kTypeMismatch: error->description = QStringLiteral("Type mismatch"); break;
    case kInvalidNull: error->description = QStringLiteral("Invalid use of Null"); break;
    case kWrongArgCount:
        error->description = QStringLiteral("Wrong number of arguments or invalid property assignment");
        break;
    default: error->description.clear(); break;
    }
}

bool isNull(const QVariant &v)
{
    return v.metaType().id() == QMetaType::Nullptr;
}

bool isString(const QVariant &v)
{
    return v.metaType().id() == QMetaType::QString;
}

bool isBool(const QVariant &v)
{
    return v.metaType().id() == QMetaType::Bool;
}

// Any value as a double, the way a VBScript numeric conversion reads it.
// Sets the error and returns nullopt when it does not read as a number.
std::optional<double> toNumber(const QVariant &value, HostError *error)
{
    if (!value.isValid())
        return 0.0;
    if (isNull(value)) {
        raise(error, kInvalidNull);
        return std::nullopt;
    }
    if (isBool(value))
        return value.toBool() ? -1.0 : 0.0;
    if (isString(value)) {
        const auto n = parseNumberText(value.toString());
        if (!n) {
            raise(error, kTypeMismatch);
            return std::nullopt;
        }
        if (std::isinf(*n)) { // "1E400" does not fit a Double
            raise(error, kOverflow);
            return std::nullopt;
        }
        return *n;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok) {
        raise(error, kTypeMismatch);
        return std::nullopt;
    }
    return d;
}

// Whole-number conversion: round half to even, then range check.
std::optional<qint64> toWhole(const QVariant &value, double low, double high, HostError *error)
{
    const auto number = toNumber(value, error);
    if (!number)
        return std::nullopt;
    if (std::isnan(*number)) {
        raise(error, kOverflow);
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*number); // default FE_TONEAREST: ties to even
    if (rounded < low || rounded > high) {
        raise(error, kOverflow);
        return std::nullopt;
    }
    return static_cast<qint64>(rounded);
}

} // namespace

QVariant coerceArgument(const QVariant &value, ValueType type, HostError *error)
{
    switch (type) {
    case ValueType::Empty:
        return {};
    case ValueType::Variant:
        return value;
    case ValueType::Boolean: {
        if (isBool(value))
            return value;
        if (isString(value)) {
            const QString text = value.toString().trimmed();
            if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                return true;
            if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                return false;
        }
        const auto number = toNumber(value, error);
        if (!number)
            return {};
        return *number != 0.0;
    }
    case ValueType::Byte: {
        const auto n = toWhole(value, 0, 255, error);
        return n ? QVariant(static_cast<uint>(*n)) : QVariant();
    }
    case ValueType::Integer: {
        const auto n = toWhole(value, -32768, 32767, error);
        return n ? QVariant(static_cast<int>(*n)) : QVariant();
    }
    case ValueType::Long: {
        const auto n = toWhole(value, std::numeric_limits<qint32>::min(),
                               std::numeric_limits<qint32>::max(), error);
        return n ? QVariant(static_cast<int>(*n)) : QVariant();
    }
    case ValueType::Single: {
        const auto number = toNumber(value, error);
        if (!number)
            return {};
        if (std::isfinite(*number) && std::fabs(*number) > std::numeric_limits<float>::max()) {
            raise(error, kOverflow);
            return {};
        }
        return static_cast<float>(*number);
    }
    case ValueType::Double: {
        const auto number = toNumber(value, error);
        return number ? QVariant(*number) : QVariant();
    }
    case ValueType::String: {
        if (!value.isValid())
            return QString();
        if (isNull(value)) {
            raise(error, kInvalidNull);
            return {};
        }
        if (isString(value))
            return value;
        if (isBool(value))
            return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        if (value.metaType().id() == QMetaType::Float)
            return singleText(value.toFloat());
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok) {
            raise(error, kTypeMismatch);
            return {};
        }
        return numberText(d);
    }
    }
    return value;
}

QVariantList coerceArguments(const HostMember &member, const QVariantList &given, HostError *error)
{
    const qsizetype declared = member.arguments.size();
    qsizetype required = 0;
    for (qsizetype i = 0; i < declared; ++i)
        if (!member.arguments[i].optional)
            required = i + 1;
    if (given.size() > declared || given.size() < required) {
        raise(error, kWrongArgCount);
        return {};
    }
    QVariantList out;
    out.reserve(declared);
    for (qsizetype i = 0; i < declared; ++i) {
        const HostArgument &arg = member.arguments[i];
        if (i >= given.size() || (arg.optional && !given[i].isValid())) {
            out.append(QVariant());
            continue;
        }
        HostError local;
        QVariant converted = coerceArgument(given[i], arg.type, &local);
        if (local) {
            if (error)
                *error = local;
            return {};
        }
        out.append(std::move(converted));
    }
    return out;
}

} // namespace tintwell::script
