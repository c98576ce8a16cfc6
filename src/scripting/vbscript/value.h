#pragma once
// The Variant: every value a script handles, with its subtype. Arrays and
// objects live on the heap with an intrusive reference count; arrays copy on
// write, so assigning an array copies it as the language requires without
// paying for the copy until one side changes.

#include <QString>
#include <cstdint>
#include <vector>

namespace tintwell::vbs {

// Subtypes with the numbers VarType reports (Array is the flag 8192).
enum class VarType : uint16_t {
    Empty = 0, Null = 1, Integer = 2, Long = 3, Single = 4, Double = 5, Currency = 6,
    Date = 7, String = 8, Object = 9, Error = 10, Boolean = 11, Variant = 12, Byte = 17,
    Array = 8192
};

class Interpreter;

class HeapObject
{
public:
    enum class Kind : uint8_t { Array, Instance, Host, Err, Builtin };
    explicit HeapObject(Kind k) : kind(k) {}
    HeapObject(const HeapObject &) = delete;
    HeapObject &operator=(const HeapObject &) = delete;
    virtual ~HeapObject() = default;
    // Called once when the count first reaches zero; returning false keeps the
    // object alive (it was handed to someone who will release it later).
    virtual bool finalize() { return true; }
    int refs = 0;
    const Kind kind;
    HeapObject *nextRelease = nullptr; // the release queue of releaseObject
};

// Deletes objects whose count reached zero, one after another rather than
// recursively, so a long chain of objects cannot exhaust the C++ stack.
void releaseObject(HeapObject *o);

template<class T>
class Ref
{
public:
    Ref() = default;
    Ref(T *p) : p_(p) { if (p_) ++p_->refs; }
    Ref(const Ref &o) : p_(o.p_) { if (p_) ++p_->refs; }
    Ref(Ref &&o) noexcept : p_(o.p_) { o.p_ = nullptr; }
    template<class U>
    Ref(const Ref<U> &o) : p_(o.get()) { if (p_) ++p_->refs; }
    ~Ref() { if (p_) dec(p_); }
    Ref &operator=(const Ref &o)
    {
        T *old = p_;
        p_ = o.p_;
        if (p_) ++p_->refs;
        if (old) dec(old);
        return *this;
    }
    Ref &operator=(Ref &&o) noexcept
    {
        if (this != &o) {
            T *old = p_;
            p_ = o.p_;
            o.p_ = nullptr;
            if (old) dec(old);
        }
        return *this;
    }
    T *get() const { return p_; }
    T *operator->() const { return p_; }
    T &operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    static void dec(T *p)
    {
        if (--p->refs == 0)
            releaseObject(p);
    }
    T *p_ = nullptr;
};

class ArrayObject;

struct Value {
    VarType type = VarType::Empty;
    union {
        bool b;
        uint8_t byte;
        int16_t i16;
        int32_t i32;
        float f;
        double d; // Double and Date
        int64_t cur; // Currency, scaled by 10000
    } n{};
    QString s;
    Ref<HeapObject> obj; // Object (null: Nothing) or Array

    Value() = default;
    static Value null() { Value v; v.type = VarType::Null; return v; }
    static Value missing() { Value v; v.type = VarType::Error; v.n.i32 = 0x80020004; return v; }
    Value(bool x) { type = VarType::Boolean; n.b = x; }
    static Value byte(uint8_t x) { Value v; v.type = VarType::Byte; v.n.byte = x; return v; }
    static Value integer(int16_t x) { Value v; v.type = VarType::Integer; v.n.i16 = x; return v; }
    static Value lng(int32_t x) { Value v; v.type = VarType::Long; v.n.i32 = x; return v; }
    static Value single(float x) { Value v; v.type = VarType::Single; v.n.f = x; return v; }
    static Value dbl(double x) { Value v; v.type = VarType::Double; v.n.d = x; return v; }
    static Value currency(int64_t scaled) { Value v; v.type = VarType::Currency; v.n.cur = scaled; return v; }
    static Value date(double x) { Value v; v.type = VarType::Date; v.n.d = x; return v; }
    static Value str(QString x) { Value v; v.type = VarType::String; v.s = std::move(x); return v; }
    static Value object(HeapObject *o) { Value v; v.type = VarType::Object; v.obj = Ref<HeapObject>(o); return v; }
    static Value nothing() { Value v; v.type = VarType::Object; return v; }
    static Value array(ArrayObject *a);

    bool isEmpty() const { return type == VarType::Empty; }
    bool isNull() const { return type == VarType::Null; }
    bool isString() const { return type == VarType::String; }
    bool isObject() const { return type == VarType::Object; }
    bool isArray() const { return type == VarType::Array; }
    bool isMissing() const { return type == VarType::Error && n.i32 == int32_t(0x80020004); }
    bool isNumeric() const; // a number subtype (Boolean, Date and Empty count too)
    ArrayObject *arr() const;
};

class ArrayObject : public HeapObject
{
public:
    ArrayObject() : HeapObject(Kind::Array) {}
    struct Dim {
        int32_t lower = 0;
        int32_t count = 0;
    };
    std::vector<Dim> dims;
    std::vector<Value> data; // first index varies fastest
    bool fixed = false; // Dim a(3): ReDim refuses it
    int32_t upper(size_t d) const { return dims[d].lower + dims[d].count - 1; }
    // Offset of an element, or -1 when an index is out of range.
    int64_t offset(const Value *idx, size_t count) const;
    ArrayObject *clone() const;
};

// Largest string or array the language lets a script build; past it the
// script gets "Out of memory" rather than taking the program down.
constexpr int64_t kMaxStringLength = 32 * 1024 * 1024; // UTF-16 units: 64 MiB
constexpr int64_t kMaxArrayElements = 4 * 1024 * 1024;

// Conversions. Each throws the language's error when the value does not convert.
double toDouble(const Value &v);
int32_t toLong(const Value &v);     // rounds half to even; Overflow past 32 bits
int16_t toInteger(const Value &v);
bool toBool(const Value &v);
QString toString(const Value &v);   // CStr
Value toNumber(const Value &v);     // numeric value, keeping a numeric subtype; strings become Double
// Text to number as the language reads it ("  12", "&HFF", "1e3"); false when it is no number.
bool parseNumber(const QString &text, double *out);
// Shortest text of a Double with 15 significant digits, the way CStr writes it.
QString formatDouble(double d, int precision = 15);
// x rounded to 15 significant digits, as its decimal text shows it (2.675 stays
// 2.675 rather than 2.67499...), so rounding works on the number as written.
double atFifteenDigits(double x);
QString formatCurrency(int64_t scaled);

// Banker's rounding of a double to a whole number.
double roundHalfEven(double x);

// Arithmetic and logic with the language's subtype rules.
Value opAdd(const Value &a, const Value &b);
Value opSub(const Value &a, const Value &b);
Value opMul(const Value &a, const Value &b);
Value opDiv(const Value &a, const Value &b);
Value opIntDiv(const Value &a, const Value &b);
Value opMod(const Value &a, const Value &b);
Value opPow(const Value &a, const Value &b);
Value opNeg(const Value &a);
Value opConcat(const Value &a, const Value &b);
Value opNot(const Value &a);
Value opAnd(const Value &a, const Value &b);
Value opOr(const Value &a, const Value &b);
Value opXor(const Value &a, const Value &b);
Value opEqv(const Value &a, const Value &b);
Value opImp(const Value &a, const Value &b);

// Three-way comparison: -1, 0, 1, or 2 when either side is Null.
// textCompare compares strings without regard to case.
int compareValues(const Value &a, const Value &b, bool textCompare = false);

// compareValues, except that a literal on one side makes the other side take
// its kind: 1 = "1" is True when one of them is written as a literal.
int compareMixed(const Value &a, const Value &b, bool aLiteral, bool bLiteral);

QString typeName(const Value &v);
int varType(const Value &v);

} // namespace tintwell::vbs
