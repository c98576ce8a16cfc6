#pragma once
// The current colour and everything it implies for the active scheme: the
// values in all four systems, the slider values and box texts in scheme
// units, the shade row, the seven output texts. Every source of a colour
// (sliders, picker, converter, palette, dialog, scripts) changes it through
// this object, and every view redraws from it when it signals.
//
// Re-entry: filling the outputs may run export scripts, and a script may set
// another colour while that runs. A nested change completes on its own; the
// outer one then stops before it writes outputs that are no longer current.
// Nothing here holds a reference into state a nested call may replace.

#include "core/appcontext.h"
#include "core/outputengine.h"
#include "core/slidervalues.h"

#include <QObject>
#include <array>
#include <cstdint>

namespace tintwell {

// Row index of the shade slider among the four slider rows.
constexpr int kShadeRow = 3;

class ColorSession : public QObject
{
    Q_OBJECT
public:
    explicit ColorSession(AppContext &context, QObject *parent = nullptr);

    AppContext &context() { return m_ctx; }

    // The hub every colour change passes through. Color -1 reads the colour
    // from the slider boxes (set them with setBoxText first); on return Color
    // holds the colour shown.
    void SetColors(std::int32_t &Color, bool ChangePaletteIndex, bool ChangeSliders);
    // A colour from anywhere but the sliders: the shade row starts afresh from it.
    void setColor(std::int32_t colour, bool changePaletteIndex = true, bool changeSliders = true);
    // The colour as the slider boxes give it.
    void readSliders();
    // Shows the current colour again (new scheme, new options) exactly,
    // without reading it back through the boxes.
    void refreshKeepingColour();

    // Slider rows. Box texts are the window's; it hands them in before each
    // call that reads them, and shows them again on boxesWritten().
    void setBoxText(int row, const QString &text);
    // A step button or key: value is the row's new value in scheme units,
    // direction -1 or +1.
    void stepPressed(int row, int direction, float value);
    // A track click or thumb drag to value (scheme units).
    void valueRequested(int row, float value);
    // Enter or leaving box row. Text the program wrote itself and the user
    // did not touch is not read back: it may be a rounded view of the colour.
    // Returns whether the colour was read from the boxes.
    bool commitBox(int row);
    // A paste that was not a number: the box shows the row's value again.
    void restoreBox(int row, float rowValue);

    void setSliderMode(int mode);
    void setUseOldSliders(bool old);

    // The one scheme change: the slider values are kept through the change of
    // units and the colour stays exactly. Returns the load's result (0 loaded).
    int changeScheme(int index);
    // Before and after a change of the active scheme's tables made elsewhere.
    void InitFixValues();
    void FixValues();

    // Export scripts of the active scheme run through this; none: built-in rule.
    void setExportScriptRunner(ExportScriptRunner runner) { m_exportRunner = std::move(runner); }

    std::int32_t color() const { return m_values.Color; }
    const ColorValues &values() const { return m_values; }
    const SliderState &sliders() const { return m_s; }
    const std::array<QString, kBoxCount> &outputs() const { return m_outputs; }
    // The mode's three components of v in internal units.
    std::array<float, 3> modeComponents(const ColorValues &v) const;
    // Whether the palette holds the colour shown (the lock image).
    bool paletteHasColor() const { return m_paletteHasColor; }

    bool ShadeDriven = false;
    float ShadeHue = 0;
    float ShadeSaturation = 0;
    // The colour the shade row started from and its HSL lightness: back at
    // that lightness the row gives the colour itself, which HSL does not
    // always convert back to.
    std::int32_t ShadeBaseColor = -1;
    int ShadeBaseLightness = -1;
    bool Updating = false;

signals:
    // The slider box texts changed: show sliders().BoxText.
    void boxesWritten();
    // Scales, tracks and thumbs need drawing again.
    void slidersChanged();
    // A new colour is shown (preview, "Last Color").
    void colorChanged(std::int32_t colour);
    // The seven output texts changed.
    void outputsChanged();
    // The palette holds the colour (or not): the lock image follows.
    void paletteMatchChanged(bool found);
    // Auto Select: the palette tool selects this entry.
    void paletteEntryChosen(int index);
    // A scheme was loaded; format names follow (also mid-load, before its messages).
    void schemeLoaded();

private:
    void applyShade();
    void afterBoxesWritten();

    AppContext &m_ctx;
    SliderState m_s;
    ColorValues m_values;
    std::array<QString, 3> m_written; // box texts as the program last wrote them
    std::array<QString, kBoxCount> m_outputs;
    ExportScriptRunner m_exportRunner;
    bool m_keepColour = false;
    bool m_tracksDrawn = false;
    bool m_paletteHasColor = false;
    std::uint64_t m_generation = 0;
};

} // namespace tintwell
