#pragma once
// The three objects scripts call: clsTNExport (the colour snapshot and the
// script's output), clsTNConverter (setting a new colour) and clsTNDebug
// (trace, scheme fields, options, formatting). One instance of each serves
// both engines.

#include "core/appcontext.h"
#include "scripting/host/hostinterfaces.h"
#include "scripting/hostobject.h"

#include <QVariant>
#include <cstdint>

namespace tintwell::script {

// Where trace lines go: the debug pane, only while the echo flag is set.
class DebugTrace
{
public:
    explicit DebugTrace(const ScriptResult &state) : m_state(state) {}

    void attach(DebugSink *sink) { m_sink = sink; }
    DebugSink *sink() const { return m_sink; }
    bool echo() const { return m_state.Echo && m_sink; }

    // A trace line of the host or an object: only with the echo flag.
    void trace(const QString &text) const
    {
        if (echo())
            m_sink->PrintDebug(text);
    }
    // tnPrint: with the echo flag, or when printWithoutEcho is set (tnscript's
    // plain mode, where scripts print their results) outside export scripts.
    void print(const QString &text) const
    {
        if (m_sink && (m_state.Echo || (printWithoutEcho && !inExportScript)))
            m_sink->PrintDebug(text);
    }

    bool printWithoutEcho = false;
    bool inExportScript = false; // set by the host while Script2 runs

private:
    const ScriptResult &m_state;
    DebugSink *m_sink = nullptr;
};

// The corrected colour values scripts read: hue 360 reads 0, a grey has hue 0,
// black and white have HSL hue and saturation 0, black HSB 0, 0, 0.
struct ColorSnapshot {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    std::int32_t Hue = 0;
    std::uint8_t Saturation = 0, Luminance = 0;
    std::int32_t HueB = 0;
    std::uint8_t SaturationB = 0, Brightness = 0;
    std::uint8_t Cyan = 0, Magenta = 0, Yellow = 0;
};
ColorSnapshot TakeColorSnapshot(std::int32_t colour);

class clsTNExport : public HostObject
{
public:
    clsTNExport(ScriptResult &state, const ColorAccess &colors, const DebugTrace &trace);

    const QList<HostMember> &members() const override;
    QVariant invoke(int memberIndex, const QVariantList &args, HostError *error) override;

    // INTERNAL_TN_EXPORT_RESET_COLORS: a new snapshot of the current colour.
    void resetColors();
    const ColorSnapshot &snapshot() const { return m_snapshot; }
    void restoreSnapshot(const ColorSnapshot &snapshot) { m_snapshot = snapshot; }

private:
    ScriptResult &m_state;
    const ColorAccess &m_colors;
    const DebugTrace &m_trace;
    ColorSnapshot m_snapshot;
};

class clsTNConverter : public HostObject
{
public:
    clsTNConverter(ScriptResult &state, ColorAccess &colors, clsTNExport &exportObject,
                   const DebugTrace &trace);

    const QList<HostMember> &members() const override;
    QVariant invoke(int memberIndex, const QVariantList &args, HostError *error) override;

private:
    void apply(std::int32_t colour, const QString &traceLine);

    ScriptResult &m_state;
    ColorAccess &m_colors;
    clsTNExport &m_export;
    const DebugTrace &m_trace;
};

class clsTNDebug : public HostObject
{
public:
    clsTNDebug(const AppContext &context, const DebugTrace &trace);

    const QList<HostMember> &members() const override;
    QVariant invoke(int memberIndex, const QVariantList &args, HostError *error) override;

private:
    const AppContext &m_context;
    const DebugTrace &m_trace;
};

// tnFmt: a field of the scheme, arguments clamped; an invalid QVariant
// (Empty) for a format type other than 0 and 1.
QVariant SchemeField(const FormatScheme &scheme, std::int32_t formatType, std::int32_t formatField,
                     std::int32_t subType, std::int32_t subItem);

// tnFormat: numbers (and text that reads as a number) through the schemes'
// number patterns; other text comes back as it is.
QString FormatScriptValue(const QVariant &expression, const QString &pattern);

} // namespace tintwell::script
