#pragma once
// The colour side without a window: one colour, its values and the seven
// output texts, refilled through the script host as SetColors does. tnscript
// runs scripts against it, and the tests use it where the program uses the
// main window's session.

#include "core/appcontext.h"
#include "core/outputengine.h"
#include "scripting/host/hostinterfaces.h"

#include <array>
#include <cstdint>

namespace tintwell::script {

class ScriptHost;

class HeadlessColorSession : public ColorAccess
{
public:
    explicit HeadlessColorSession(AppContext &context) : m_context(context) {}

    // The host that fills the boxes; until one is bound the built-in rules do.
    void bindHost(ScriptHost *host) { m_host = host; }

    std::int32_t currentColor() const override { return m_color; }
    // A colour with its top byte set is not a plain colour and changes nothing.
    void setColors(std::int32_t colour) override;
    QString converterText() const override { return m_converterText; }

    void setConverterText(const QString &text) { m_converterText = text; }
    const std::array<QString, kBoxCount> &boxes() const { return m_boxes; }
    int setColorsCalls() const { return m_calls; }

private:
    AppContext &m_context;
    ScriptHost *m_host = nullptr;
    std::int32_t m_color = 0;
    QString m_converterText;
    std::array<QString, kBoxCount> m_boxes;
    int m_calls = 0;
};

} // namespace tintwell::script
