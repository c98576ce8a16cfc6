#pragma once
// The script objects' way to the program's colour session.

#include "core/colorsession.h"
#include "scripting/host/hostinterfaces.h"

namespace tintwell::script {

class SessionColorAccess : public ColorAccess
{
public:
    explicit SessionColorAccess(ColorSession &session) : m_session(session) {}

    std::int32_t currentColor() const override { return m_session.color(); }
    // The shade row starts afresh from the colour, as for every source but the sliders.
    void setColors(std::int32_t colour) override { m_session.setColor(colour, true, true); }
    QString converterText() const override { return m_converterText; }

    // The main window keeps this in step with its converter box.
    void setConverterText(const QString &text) { m_converterText = text; }

private:
    ColorSession &m_session;
    QString m_converterText;
};

} // namespace tintwell::script
