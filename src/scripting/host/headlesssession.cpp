#include "scripting/host/headlesssession.h"

#include "scripting/host/scripthost.h"

namespace tintwell::script {

void HeadlessColorSession::setColors(std::int32_t colour)
{
    if (colour & ~0xFFFFFF)
        return;
    ++m_calls;
    m_color = colour;
    const ColorValues values = ComputeColorValues(std::uint8_t(colour & 0xFF),
                                                  std::uint8_t((colour >> 8) & 0xFF),
                                                  std::uint8_t((colour >> 16) & 0xFF));
    // Copied out before the host runs export scripts, which may call back here.
    auto boxes = m_host ? m_host->FillOutputBoxes(values) : tintwell::FillOutputBoxes(m_context, values);
    m_boxes = std::move(boxes);
}

} // namespace tintwell::script
