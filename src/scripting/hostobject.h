#pragma once
// A program object that scripts call. Each object describes its members once;
// both engines bind scripts to it from that one description, so a member
// behaves the same from VBScript and from JScript.

#include <QList>
#include <QString>
#include <QVariant>

namespace tintwell::script {

// Declared types of arguments and results. Values cross the border as QVariant:
// Boolean bool, Byte uint (0-255), Integer short-range int, Long int, Single float,
// Double double, String QString, Variant anything, Empty an invalid QVariant.
enum class ValueType { Empty, Variant, Boolean, Byte, Integer, Long, Single, Double, String };

struct HostArgument {
    QString name;
    ValueType type = ValueType::Variant;
    bool optional = false;
};

struct HostMember {
    QString name;                  // as scripts call it, e.g. "tnOutput"
    QList<HostArgument> arguments;
    ValueType result = ValueType::Empty; // Empty: a Sub, no result
};

// A run-time error raised by a host call; the engines turn it into the
// language's own error with this number and text.
struct HostError {
    int number = 0;
    QString description;
    explicit operator bool() const { return number != 0; }
};

class HostObject
{
public:
    virtual ~HostObject() = default;
    virtual const QList<HostMember> &members() const = 0;
    // args holds exactly one value per declared argument, already converted
    // to the declared type (optional arguments left out by the script are
    // invalid QVariants). Sets *error to report a failure.
    virtual QVariant invoke(int memberIndex, const QVariantList &args, HostError *error) = 0;
};

// Converts a script value to a declared type as a VBScript host does:
// numbers from strings when they read as numbers, rounding half to even for
// whole-number types, "Overflow" (6) out of range, "Type mismatch" (13) when
// the value does not convert.
QVariant coerceArgument(const QVariant &value, ValueType type, HostError *error);

// Checks the argument count and converts every argument; on failure sets *error
// ("Wrong number of arguments or invalid property assignment", 450, for a count
// that does not fit) and returns an empty list.
QVariantList coerceArguments(const HostMember &member, const QVariantList &given, HostError *error);

} // namespace tintwell::script
