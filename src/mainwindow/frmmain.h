#pragma once
// The main window: fixed layout, menus, the four slider rows, the seven output
// boxes, start-up and shut-down. The arithmetic lives in core (conversions,
// slider values, output texts); this class wires it to the controls.

#include "core/appcontext.h"
#include "core/outputengine.h"
#include "core/slidervalues.h"
#include "mainwindow/sliderdrawing.h"

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace tintwell {

class clsColorDialog;
class clsRegistry;
class HelpWindow;
class SliderRow;

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    frmMain(AppContext &context, clsRegistry &registry, QWidget *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence; main() calls it before show().
    void Load();

    void SetColors(std::int32_t &Color, bool ChangePaletteIndex, bool ChangeSliders);
    void SetColors(std::int32_t Color) { SetColors(Color, true, true); }
    // "Last Color" follows every colour change a moment later, so a drag does
    // not write the settings file once a pixel; this writes it now.
    void flushLastColor();
    void SetFormatNames();
    void SetCustomFormatMenuNames();
    void InitFixValues();
    void FixValues();

    void mnuSlidersRGB_Click() { chooseSliderMode(kSliderModeRGB); }
    void mnuSlidersHSL_Click() { chooseSliderMode(kSliderModeHSL); }
    void mnuSlidersHSB_Click() { chooseSliderMode(kSliderModeHSB); }
    void mnuSlidersCMY_Click() { chooseSliderMode(kSliderModeCMY); }
    void mnuOptionsUseOldSliders_Click();
    void ApplyShade();
    void PrepareTrackBackgrounds();

    // Outputs, clipboard and menus. Shift is the usual bit set: 1 Shift,
    // 2 Ctrl, 4 Alt; only the C key with Ctrl alone copies.
    void CopyBoxText(QLineEdit *box, int KeyCode, int Shift);
    void mnuEditCopySwatch_Click();
    void mnuEditCopyOctal_Click();
    void picPreview_Click();
    void cmdColorDialog_Click();
    void mnuFormat_Click(int format);
    void mnuOptionsAlwaysonTop_Click();
    void mnuOptionsClicktoCopy_Click();
    void mnuOptionsLowercaseHex_Click();
    void mnuOptionsAddExtraZerosToHex_Click();
    void mnuHelpContents_Click();
    void mnuHelpWhatsThis_Click();
    // F1 outside the menus: the pop-up topic of the focused control, or the
    // contents when it has none. Returns the context number shown, 0 for the contents.
    int showContextHelp();
    HelpWindow *helpWindow();

    // Hooks to the windows and engines of other parts; each has a default
    // that does what the program needs when that part is absent.
    std::function<void()> showLicense;             // modal terms window
    std::function<void()> showAbout;               // modal About box
    std::function<bool()> savePalette;             // the palette window's File Save; false: not saved
    std::function<void()> loadPaletteTool;         // loads the palette window hidden (start-up)
    std::function<void(int index)> selectPaletteEntry; // palette window follows the colour
    std::function<void()> pickerSettingChanged;    // S / Z: the picker resamples
    std::function<void()> showPaletteTool;         // the palette window, modeless
    std::function<void()> showAdvanced;            // the advanced formatting window, modeless
    // The colour dialog: takes the current colour, returns the one to show.
    std::function<std::int32_t(std::int32_t current)> chooseColor;

    // State and controls, for the other parts of this window and for tests.
    std::int32_t currentColor() const { return m_values.Color; }
    const ColorValues &colorValues() const { return m_values; }
    SliderState &sliders() { return m_s; }
    bool ShadeDriven = false;
    float ShadeHue = 0;
    float ShadeSaturation = 0;
    // The colour the shade row started from and its HSL lightness: back at
    // that lightness the row gives the colour itself, which HSL (hue,
    // saturation, lightness) does not always convert back to.
    std::int32_t ShadeBaseColor = -1;
    int ShadeBaseLightness = -1;
    bool Updating = false;
    int FocusedSlider = 99;

    SliderRow *picColorBox(int i) const { return m_rows[std::size_t(i)]; }
    QLineEdit *txtRGBValue(int i) const;
    QLineEdit *txtCopyBox(int i) const { return m_copyBox[std::size_t(i)]; }
    QLabel *lblFormatNames(int i) const { return m_formatNames[std::size_t(i)]; }
    QAction *mnuEditCopyValue(int i) const { return m_copyValue[std::size_t(i)]; }
    QGroupBox *fraSliders() const { return m_fraSliders; }
    QGroupBox *pickerFrame() const { return m_frame4; }
    QGroupBox *converterFrame() const { return m_frame5; }
    QWidget *picPreview() const { return m_preview; }
    QLabel *imgLock() const { return m_lock; }
    QLabel *lblCopySwatch() const { return m_copySwatchLabel; }
    QWidget *picCopySwatch() const { return m_copySwatch; }
    QMenu *mnuSwatchMenu() const { return m_mnuSwatch; }
    QAction *mnuEditCopySwatch() const { return m_copySwatchItem; }
    QAction *mnuEditCopyOctal() const { return m_copyOctalItem; }
    QAction *mnuHelpContents() const { return m_helpContents; }
    QAction *mnuHelpWhatsThis() const { return m_helpWhatsThis; }
    QPushButton *cmdColorDialog() const { return m_cmdColorDialog; }
    QPushButton *cmdPaletteTool() const { return m_cmdPaletteTool; }
    QPushButton *cmdAdvanced() const { return m_cmdAdvanced; }
    // Help topic of a top-level menu, 0 for none.
    int menuHelpTopic(const QMenu *menu) const;
    // What's This / F1 context number of a control, 0 for none.
    static int helpContextOf(const QWidget *widget);
    QMenu *mnuSliders() const { return m_mnuSliders; }
    QAction *sliderModeItem(int mode) const { return m_modeItems[std::size_t(mode)]; }
    QAction *formatItem(int index) const { return m_formatItems[std::size_t(index)]; }
    QAction *mnuOptionsUseOldSliders() const { return m_optOldSliders; }
    QAction *mnuOptionsAlwaysonTop() const { return m_optOnTop; }
    QAction *mnuOptionsClicktoCopy() const { return m_optClickCopy; }
    QAction *mnuOptionsLowercaseHex() const { return m_optLowerHex; }
    QAction *mnuOptionsAddExtraZerosToHex() const { return m_optExtraZeros; }
    QAction *pickerSampleItem(int i) const { return m_pickerSample[std::size_t(i)]; }
    QAction *pickerZoomItem(int i) const { return m_pickerZoom[std::size_t(i)]; }
    const TrackImages &tracks() const { return m_tracks; }

    // Client size at 1x: 6165 x 3675 twips.
    static constexpr int ClientWidth = 411;
    static constexpr int ClientHeight = 245;
    // A crash loses at most this much of the colour history.
    static constexpr int LastColorDelayMs = 300;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void chooseSliderMode(int mode);
    void applyRowScales();
    void redrawAllRows();
    void boxesToState();
    void stateToBoxes();
    void onStepPressed(int row, int direction, float value);
    void onValueRequested(int row, float value);
    void onCommitRequested(int row);
    void onPasteRejected(int row);
    void cycleChecked(const std::array<QAction *, 4> &items);
    void cycleChecked(const std::array<QAction *, 5> &items);
    std::array<float, 3> modeComponents(const ColorValues &v) const;
    bool keyPreview(int key);
    bool outputEvent(QObject *watched, QEvent *event);
    void setSwatchFocusLook(bool focused);
    void setHelpContext(QWidget *widget, int contextId);
    // Shows the current colour again (new scheme, new options) without
    // reading it back through the slider boxes.
    void refreshKeepingColour();

    AppContext &m_ctx;
    clsRegistry &m_reg;
    SliderState m_s;
    ColorValues m_values;
    TrackImages m_tracks;
    SystemColors m_colours;
    bool m_tracksDrawn = false;
    QTimer *m_lastColorTimer = nullptr;
    bool m_keepColour = false;
    std::unique_ptr<clsColorDialog> m_colorDialog;
    HelpWindow *m_help = nullptr;
    QMenu *m_mnuSwatch = nullptr;
    QAction *m_copySwatchItem = nullptr;
    QAction *m_copyOctalItem = nullptr;
    QAction *m_helpContents = nullptr;
    QAction *m_helpWhatsThis = nullptr;
    QPushButton *m_cmdColorDialog = nullptr;
    QPushButton *m_cmdPaletteTool = nullptr;
    QPushButton *m_cmdAdvanced = nullptr;
    std::array<std::pair<QMenu *, int>, 6> m_menuTopics{};
    std::int32_t m_unsavedLastColor = -1;

    std::array<SliderRow *, 4> m_rows{};
    std::array<QLineEdit *, kBoxCount> m_copyBox{};
    std::array<QLabel *, kBoxCount> m_formatNames{};
    std::array<QAction *, kBoxCount> m_copyValue{};
    std::array<QAction *, 4> m_modeItems{};
    std::array<QAction *, kSchemeCount> m_formatItems{};
    std::array<QAction *, 4> m_pickerSample{};
    std::array<QAction *, 5> m_pickerZoom{};
    QGroupBox *m_fraSliders = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame4 = nullptr;
    QGroupBox *m_frame5 = nullptr;
    QWidget *m_preview = nullptr;
    QWidget *m_copySwatch = nullptr;
    QLabel *m_copySwatchLabel = nullptr;
    QLabel *m_lock = nullptr;
    QMenu *m_mnuSliders = nullptr;
    QAction *m_optOnTop = nullptr;
    QAction *m_optClickCopy = nullptr;
    QAction *m_optLowerHex = nullptr;
    QAction *m_optExtraZeros = nullptr;
    QAction *m_optOldSliders = nullptr;
};

} // namespace tintwell
