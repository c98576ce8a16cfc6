#pragma once
// The main window: fixed layout, menus, the four slider rows, the seven output
// boxes, start-up and shut-down. The colour and its arithmetic live in the
// session (core/colorsession.h); this class shows it and turns events into calls.

#include "core/appcontext.h"
#include "core/colorsession.h"
#include "core/outputengine.h"
#include "core/slidervalues.h"
#include "mainwindow/mainwindowpeers.h"
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

class clsRegistry;
class ConverterPanel;
class ConverterScriptRunner;
class MnemonicArbiter;
class HelpService;
class PickerPanel;
class ScreenGrabber;
class SliderRow;

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    frmMain(AppContext &context, clsRegistry &registry, ColorSession &session, HelpService &help,
            MainWindowPeers &peers, QWidget *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence; main() calls it before show().
    void Load();

    void SetColors(std::int32_t &Color, bool ChangePaletteIndex, bool ChangeSliders)
    {
        m_session.SetColors(Color, ChangePaletteIndex, ChangeSliders);
    }
    // A colour from outside the sliders (picker, dialog, palette, converter).
    void SetColors(std::int32_t Color) { m_session.setColor(Color); }
    // "Last Color" follows every colour change a moment later, so a drag does
    // not write the settings file once a pixel; this writes it now.
    void flushLastColor();
    void SetFormatNames();
    void SetCustomFormatMenuNames();
    void InitFixValues() { syncBoxes(); m_session.InitFixValues(); }
    void FixValues() { m_session.FixValues(); }

    void mnuSlidersRGB_Click() { chooseSliderMode(kSliderModeRGB); }
    void mnuSlidersHSL_Click() { chooseSliderMode(kSliderModeHSL); }
    void mnuSlidersHSB_Click() { chooseSliderMode(kSliderModeHSB); }
    void mnuSlidersCMY_Click() { chooseSliderMode(kSliderModeCMY); }
    void mnuOptionsUseOldSliders_Click();
    void PrepareTrackBackgrounds();

    // Outputs, clipboard and menus. Shift is the usual bit set: 1 Shift,
    // 2 Ctrl, 4 Alt; only the C key with Ctrl alone copies.
    void CopyBoxText(QLineEdit *box, int KeyCode, int Shift);
    void mnuEditCopySwatch_Click();
    void mnuEditCopyOctal_Click();
    void picPreview_Click();
    void cmdColorDialog_Click();
    void mnuFormat_Click(int format);
    // Makes format the scheme in use even when it already is (its slot was
    // saved or deleted), keeping the colour exactly, with its item checked.
    void reloadScheme(int format);
    void mnuOptionsAlwaysonTop_Click();
    void mnuOptionsClicktoCopy_Click();
    void mnuOptionsLowercaseHex_Click();
    void mnuOptionsAddExtraZerosToHex_Click();
    void mnuHelpContents_Click();
    void mnuHelpWhatsThis_Click();
    // F1 outside the menus: the pop-up topic of the focused control, or the
    // contents when it has none. Returns the context number shown, 0 for the contents.
    int showContextHelp();

    // State and controls, for the other parts of this window and for tests.
    ColorSession &session() { return m_session; }
    std::int32_t currentColor() const { return m_session.color(); }
    const ColorValues &colorValues() const { return m_session.values(); }
    const SliderState &sliders() const { return m_session.sliders(); }

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
    PickerPanel *pickerPanel() const { return m_picker; }
    ConverterPanel *converterPanel() const { return m_converter; }
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
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void connectSession();
    void chooseSliderMode(int mode);
    void applyRowScales();
    void redrawAllRows();
    void redrawSliders();
    // The boxes' texts into the session, before a call that reads them.
    void syncBoxes();
    void showBoxes();
    void showOutputs();
    void showColor(std::int32_t colour);
    void buildPickerAndConverter();
    bool keyPreview(int key);
    bool outputEvent(QObject *watched, QEvent *event);
    void setSwatchFocusLook(bool focused);
    void setHelpContext(QWidget *widget, int contextId);
    void watchEvents();
    static QString modeCaption(int mode);
    static QString modeTip(int mode, int row);

    AppContext &m_ctx;
    clsRegistry &m_reg;
    ColorSession &m_session;
    HelpService &m_help;
    MainWindowPeers &m_peers;
    bool m_updatingBoxes = false;
    bool m_flatTracks = false;
    TrackImages m_tracks;
    SystemColors m_colours;
    QTimer *m_lastColorTimer = nullptr;
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
    QMenu *m_mnuPicker = nullptr;
    // The screen and the converter scripts as the picker and converter see
    // them; the script host will hand in its own runner.
    std::unique_ptr<ScreenGrabber> m_grabber;
    PickerPanel *m_picker = nullptr;
    ConverterPanel *m_converter = nullptr;
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
    MnemonicArbiter *m_mnemonics = nullptr;
};

} // namespace tintwell
