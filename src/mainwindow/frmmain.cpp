#include "mainwindow/frmmain.h"

#include "core/colormodel.h"
#include "core/schemefiles.h"
#include "mainwindow/sliderrow.h"
#include "picker/converterpanel.h"
#include "picker/pickerpanel.h"
#include "picker/screengrabber.h"
#include "platform/help.h"
#include "platform/mnemonics.h"
#include "platform/windowplacement.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QImage>
#include <QMimeData>
#include <QWhatsThis>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tintwell {

namespace {

std::uint8_t clampByte(double v)
{
    return std::uint8_t(std::clamp(RoundHalfEven(v), 0.0, 255.0));
}

QRgb hslColour(double hue, double saturation, std::uint8_t lightness)
{
    std::uint8_t r = 0, g = 0, b = 0;
    HSLToRGB(std::int32_t(RoundHalfEven(hue)), clampByte(saturation), lightness, r, g, b);
    return qRgb(r, g, b);
}

QRgb hsbColour(double hue, double saturation, std::uint8_t brightness)
{
    std::uint8_t r = 0, g = 0, b = 0;
    HSBToRGB(std::int32_t(RoundHalfEven(hue)), clampByte(saturation), brightness, r, g, b);
    return qRgb(r, g, b);
}

} // namespace

frmMain::frmMain(AppContext &context, clsRegistry &registry, ColorSession &session, HelpService &help,
                 MainWindowPeers &peers, QWidget *parent)
    : QMainWindow(parent)
    , m_ctx(context)
    , m_reg(registry)
    , m_session(session)
    , m_help(help)
    , m_peers(peers)
{
    setWindowTitle(QStringLiteral("Tintwell"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    m_colours = SystemColors::fromPalette(palette());
    buildMenus();
    buildLayout();
    // Checked in the design; start-up toggles it to the stored style.
    m_session.setUseOldSliders(true);
    m_lastColorTimer = new QTimer(this);
    m_lastColorTimer->setSingleShot(true);
    m_lastColorTimer->setInterval(LastColorDelayMs);
    connect(m_lastColorTimer, &QTimer::timeout, this, &frmMain::flushLastColor);
    connectSession();
    watchEvents();
}

frmMain::~frmMain()
{
    flushLastColor();
    // The rows draw from m_tracks until they are gone, and a focused row
    // redraws as the window closes: take them down while m_tracks lives.
    delete takeCentralWidget();
}

QLineEdit *frmMain::txtRGBValue(int i) const
{
    return m_rows[std::size_t(i)]->valueBox();
}

// ------------------------------------------------------------------ start-up

void frmMain::Load()
{
    m_ctx.Loading = true;
    watchEvents();

    int format = modRegistry::GetSetting(m_reg, SettingId::Format);
    if (m_ctx.loadScheme(format, [this] { SetFormatNames(); }) != 0) {
        m_ctx.loadScheme(0, [this] { SetFormatNames(); });
        format = 0;
    }
    m_ctx.SchemeIndex = format;
    {
        // A stored value that is no scheme (9, text) reads as Standard; store
        // that, so that choosing Standard later is not taken for no change.
        std::int32_t error = 0;
        const std::int32_t raw = m_reg.GetLong(clsRegistry::settingsKey(), QStringLiteral("Format"), error);
        if (error != 0 || raw < 0 || raw >= kSchemeCount)
            modRegistry::SetSetting(m_reg, SettingId::Format, format);
    }
    for (int i = 0; i < kSchemeCount; ++i)
        m_formatItems[std::size_t(i)]->setChecked(i == format);
    SetCustomFormatMenuNames();

    const int mode = modRegistry::GetSetting(m_reg, SettingId::Sliders);
    if (mode >= 0 && mode <= 3)
        chooseSliderMode(mode);

    if (modRegistry::GetLastColor(m_reg) == -1) {
        m_peers.showLicense(this);
        modRegistry::SetLastColor(m_reg, kFirstRunColor);
    }

    const QSize screenPx = screen() ? screen()->geometry().size() : QSize(1024, 768);
    const QSize windowPx = sizeHint().expandedTo(QSize(ClientWidth, ClientHeight));
    const modRegistry::PositionRecord pos = modRegistry::RestoreWindowPosition(
        m_reg, modRegistry::StoredWindow::Main, screenPx * 15, windowPx * 15);
    PlaceFrameAt(this, QPoint(int(std::lround(pos.X / 15.0)), int(std::lround(pos.Y / 15.0))));

    if (modRegistry::GetSetting(m_reg, SettingId::OnTop) > 0) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        m_optOnTop->setChecked(true);
    }
    if (modRegistry::GetFlag(m_reg, SettingId::ClickCopy)) {
        m_optClickCopy->setChecked(true);
        m_ctx.ClickToCopy = true;
        m_copySwatchLabel->setText(QStringLiteral("Click to Copy"));
    }
    m_ctx.LowercaseHex = modRegistry::GetFlag(m_reg, SettingId::LowercaseHex);
    m_optLowerHex->setChecked(m_ctx.LowercaseHex);
    m_ctx.AddExtraZerosToHex = modRegistry::GetFlag(m_reg, SettingId::ExtraHexZeros);
    m_optExtraZeros->setChecked(m_ctx.AddExtraZerosToHex);
    if (modRegistry::GetFlag(m_reg, SettingId::OldSliders)) {
        m_optOldSliders->setChecked(false);
        m_session.setUseOldSliders(false);
    }

    mnuOptionsUseOldSliders_Click();

    // The palette window loads hidden, so SetColors below already finds the
    // table and its Auto Select option.
    m_peers.loadPaletteTool();

    m_ctx.Loading = false;
    std::int32_t color = m_ctx.StartColor.value_or(modRegistry::GetLastColor(m_reg));
    if (color < 0)
        color = kFirstRunColor;
    m_session.setColor(color);
    m_ctx.FormLoaded = true;
}

// ----------------------------------------------------------------- shut-down

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_ctx.Palette.PaletteChanged) {
        const MsgResult answer = m_ctx.Messages->show(QStringLiteral("Palette Changed"),
                                                      QStringLiteral("Save current palette?"),
                                                      MsgIcon::Question, MsgButtons::YesNoCancel);
        if (answer == MsgResult::Cancel) {
            event->ignore();
            return;
        }
        // A save that was cancelled or failed keeps the program running, so
        // the changes are not lost.
        if (answer == MsgResult::Yes && !m_peers.savePalette()) {
            event->ignore();
            return;
        }
        m_ctx.Palette.PaletteChanged = false;
    }
    if (!isMinimized()) {
        const QPoint p = pos();
        modRegistry::SetWindowPosition(m_reg, modRegistry::StoredWindow::Main, {p.x() * 15, p.y() * 15});
    }
    flushLastColor();
    hide();
    m_ctx.Closing = true;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    event->accept();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_mnemonics)
        m_mnemonics = new MnemonicArbiter(this);
    else
        m_mnemonics->rescan();
}

void frmMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        m_colours = SystemColors::fromPalette(palette());
        for (SliderRow *row : m_rows)
            row->setColours(m_colours);
    }
    QMainWindow::changeEvent(event);
}

// ------------------------------------------------------------------ keyboard

bool frmMain::keyPreview(int key)
{
    if (key == Qt::Key_S)
        m_picker->cycleSampleSize();
    else if (key == Qt::Key_Z)
        m_picker->cycleZoom();
    else
        return false;
    return true;
}

void frmMain::watchEvents()
{
    // The window's own controls and menus only: other windows keep their keys.
    // Installing again is harmless, so controls added later are watched too.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (outputEvent(watched, event))
        return true;
    // The window sees key releases before its controls.
    if (event->type() == QEvent::KeyRelease) {
        auto *w = qobject_cast<QWidget *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        if (w && w->window() == this && !key->isAutoRepeat() && w == QApplication::focusWidget())
            keyPreview(key->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::buildPickerAndConverter()
{
    m_grabber = MakeQtScreenGrabber();
    m_picker = new PickerPanel(m_frame4, m_mnuPicker, m_pickerSample, m_pickerZoom, *m_grabber, *m_ctx.Messages, this);
    m_converter = new ConverterPanel(m_frame5, m_ctx, m_peers, this);
    // A colour from outside the sliders: the session ends any shading.
    auto chosen = [this](std::int32_t colour) { SetColors(colour); };
    connect(m_picker, &PickerPanel::colorChosen, this, chosen);
    connect(m_converter, &ConverterPanel::colorChosen, this, chosen);
    for (QWidget *w : {static_cast<QWidget *>(m_picker->picZoom()), static_cast<QWidget *>(m_picker->lblClick()),
                       static_cast<QWidget *>(m_picker->lblXPos()), static_cast<QWidget *>(m_picker->lblYPos())})
        setHelpContext(w, 6006);
    setHelpContext(m_converter->cboConvertType(), 6007);
    setHelpContext(m_converter->txtConvert(), 6007);
    setHelpContext(m_converter->cmdConvert(), 6008);
}

void frmMain::flushLastColor()
{
    m_lastColorTimer->stop();
    if (m_unsavedLastColor < 0)
        return;
    modRegistry::SetLastColor(m_reg, m_unsavedLastColor);
    m_unsavedLastColor = -1;
}

// ------------------------------------------------------------- format names

void frmMain::SetFormatNames()
{
    for (int i = 0; i < kBoxCount; ++i) {
        const QString name = m_ctx.Scheme.Info[std::size_t(SchemeFormatOfBox(i))].FormatName;
        m_formatNames[std::size_t(i)]->setText(name);
        m_copyValue[std::size_t(i)]->setText(QStringLiteral("Copy ") + name);
    }
    m_converter->SetFormatNames();
}

void frmMain::SetCustomFormatMenuNames()
{
    LoadCustomSlotNames(m_ctx.Scheme, m_ctx.ProgramFolder);
    for (int n = 1; n <= kCustomSlotCount; ++n) {
        QAction *item = m_formatItems[std::size_t(kFirstCustomScheme + n - 1)];
        item->setText(m_ctx.Scheme.CustomNames[std::size_t(n - 1)]);
        item->setVisible(!m_ctx.ProgramFolder.isEmpty() && SlotExists(m_ctx.ProgramFolder, n));
    }
}

// ------------------------------------------------------------- slider modes

void frmMain::chooseSliderMode(int mode)
{
    QAction *item = m_modeItems[std::size_t(mode)];
    if (item->isChecked())
        return;
    modRegistry::SetSetting(m_reg, SettingId::Sliders, mode);
    for (int m = 0; m < 4; ++m)
        m_modeItems[std::size_t(m)]->setChecked(m == mode);
    m_fraSliders->setTitle(modeCaption(mode));
    for (int i = 0; i < 3; ++i) {
        const QString tip = modeTip(mode, i);
        m_rows[std::size_t(i)]->setToolTip(tip);
        txtRGBValue(i)->setToolTip(tip);
    }
    // Text typed but not committed belongs to the mode it was typed in.
    syncBoxes();
    m_session.setSliderMode(mode);
}

void frmMain::mnuOptionsUseOldSliders_Click()
{
    const bool old = !m_optOldSliders->isChecked();
    m_optOldSliders->setChecked(old);
    modRegistry::SetFlag(m_reg, SettingId::OldSliders, old);
    syncBoxes();
    m_session.setUseOldSliders(old);
}

void frmMain::applyRowScales()
{
    const SliderState &s = m_session.sliders();
    const NumericFormat &f = m_ctx.Scheme.Formats[std::size_t(s.SliderMode)];
    for (int i = 0; i < 4; ++i) {
        SliderRow *row = m_rows[std::size_t(i)];
        row->setScale(f.InputBase[std::size_t(i)], f.InputStep[std::size_t(i)], f.InputLargeStep[std::size_t(i)]);
        row->setOldThumbWidth(OldThumbSize(s, m_ctx.Scheme, i));
    }
    m_tracks.setRow0FromSpectrum(s.SliderMode == kSliderModeHSL || s.SliderMode == kSliderModeHSB);
}

void frmMain::redrawAllRows()
{
    const SliderState &s = m_session.sliders();
    for (int i = 0; i < 3; ++i) {
        m_rows[std::size_t(i)]->setSliderValue(ToSliderUnits(s, m_ctx.Factors, i, s.LastDrawnValue[std::size_t(i)]));
        m_rows[std::size_t(i)]->redraw();
    }
    m_rows[3]->setSliderValue(s.ShadeValue);
    m_rows[3]->redraw();
}

void frmMain::PrepareTrackBackgrounds()
{
    const SliderState &s = m_session.sliders();
    if (s.UseOldSliders)
        return;
    const ColorValues v = m_session.values();
    const int R = v.Red, G = v.Green, B = v.Blue;
    m_tracks.DrawHueSpectrum();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    std::array<RowGradient, 3> rows;
    switch (s.SliderMode) {
    case kSliderModeHSL:
        rows[1] = {{hslColour(v.HSLHue, 0, 128), hslColour(v.HSLHue, 255, 128), 0, 175}};
        rows[2] = {{black, hslColour(v.HSLHue, v.HSLSaturation, 128), 0, 88},
                   {hslColour(v.HSLHue, v.HSLSaturation, 128), white, 88, 175}};
        break;
    case kSliderModeHSB:
        rows[1] = {{hsbColour(v.HSBHue, 0, 255), hsbColour(v.HSBHue, 255, 255), 0, 175}};
        rows[2] = {{black, hsbColour(v.HSBHue, v.HSBSaturation, 255), 0, 175}};
        break;
    case kSliderModeCMY:
        rows[0] = {{qRgb(255, G, B), qRgb(0, G, B), 0, 175}};
        rows[1] = {{qRgb(R, 255, B), qRgb(R, 0, B), 0, 175}};
        rows[2] = {{qRgb(R, G, 255), qRgb(R, G, 0), 0, 175}};
        break;
    default:
        rows[0] = {{qRgb(0, G, B), qRgb(255, G, B), 0, 175}};
        rows[1] = {{qRgb(R, 0, B), qRgb(R, 255, B), 0, 175}};
        rows[2] = {{qRgb(R, G, 0), qRgb(R, G, 255), 0, 175}};
        break;
    }
    for (int i = 0; i < 3; ++i)
        if (!rows[std::size_t(i)].empty())
            m_tracks.DrawRowBackground(i, rows[std::size_t(i)]);
    const QRgb shadeMid = hslColour(m_session.ShadeHue, m_session.ShadeSaturation, 128);
    m_tracks.DrawRowBackground(ShadeRow, {{black, shadeMid, 0, 100}, {shadeMid, white, 100, 199}});
}

void frmMain::redrawSliders()
{
    applyRowScales();
    if (m_session.sliders().UseOldSliders) {
        if (!m_flatTracks)
            m_tracks.FillFlat(m_colours.scrollBar);
        m_flatTracks = true;
    } else {
        PrepareTrackBackgrounds();
        m_flatTracks = false;
    }
    redrawAllRows();
}

// ------------------------------------------------------------ the session

void frmMain::connectSession()
{
    connect(&m_session, &ColorSession::boxesWritten, this, &frmMain::showBoxes);
    connect(&m_session, &ColorSession::slidersChanged, this, &frmMain::redrawSliders);
    connect(&m_session, &ColorSession::colorChanged, this, &frmMain::showColor);
    connect(&m_session, &ColorSession::outputsChanged, this, &frmMain::showOutputs);
    connect(&m_session, &ColorSession::paletteMatchChanged, m_lock, &QWidget::setVisible);
    connect(&m_session, &ColorSession::schemeLoaded, this, &frmMain::SetFormatNames);
    for (int i = 0; i < 4; ++i) {
        SliderRow *row = m_rows[std::size_t(i)];
        connect(row, &SliderRow::stepPressed, this, [this](int r, int direction, float v) {
            syncBoxes();
            m_session.stepPressed(r, direction, v);
        });
        connect(row, &SliderRow::valueRequested, this, [this](int r, float v) {
            syncBoxes();
            m_session.valueRequested(r, v);
        });
        connect(row, &SliderRow::commitRequested, this, [this](int r) {
            if (m_updatingBoxes)
                return;
            syncBoxes();
            m_session.commitBox(r);
        });
        connect(row, &SliderRow::pasteRejected, this,
                [this, row](int r) { m_session.restoreBox(r, row->sliderValue()); });
    }
}

void frmMain::syncBoxes()
{
    for (int i = 0; i < 3; ++i)
        m_session.setBoxText(i, txtRGBValue(i)->text());
}

void frmMain::showBoxes()
{
    m_updatingBoxes = true;
    const SliderState &s = m_session.sliders();
    for (int i = 0; i < 3; ++i)
        if (txtRGBValue(i)->text() != s.BoxText[std::size_t(i)])
            txtRGBValue(i)->setText(s.BoxText[std::size_t(i)]);
    m_updatingBoxes = false;
}

void frmMain::showOutputs()
{
    const std::array<QString, kBoxCount> &texts = m_session.outputs();
    for (int i = 0; i < kBoxCount; ++i)
        if (m_copyBox[std::size_t(i)]->text() != texts[std::size_t(i)])
            m_copyBox[std::size_t(i)]->setText(texts[std::size_t(i)]);
}

void frmMain::showColor(std::int32_t colour)
{
    const ColorValues &v = m_session.values();
    QPalette pal = m_preview->palette();
    pal.setColor(QPalette::Window, QColor(v.Red, v.Green, v.Blue));
    m_preview->setPalette(pal);
    m_unsavedLastColor = colour;
    if (!m_lastColorTimer->isActive())
        m_lastColorTimer->start();
}

// ------------------------------------------------------- outputs and menus

void frmMain::CopyBoxText(QLineEdit *box, int KeyCode, int Shift)
{
    if (!box || KeyCode != Qt::Key_C || Shift != 2)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(box->text());
}

void frmMain::mnuEditCopySwatch_Click()
{
    // picSwatch: 480 twips square.
    QImage swatch(480 / 15, 480 / 15, QImage::Format_RGB32);
    const ColorValues &v = m_session.values();
    swatch.fill(QColor(v.Red, v.Green, v.Blue));
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(swatch);
}

void frmMain::mnuEditCopyOctal_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::number(std::uint32_t(m_session.color()) & 0xFFFFFFu, 8));
}

void frmMain::picPreview_Click()
{
    int index = 0;
    m_session.setColor(NearestPaletteColor(m_ctx.Palette, m_session.color(), index));
}

void frmMain::cmdColorDialog_Click()
{
    m_session.setColor(m_peers.chooseColor(m_session.color(), this));
}

void frmMain::mnuFormat_Click(int format)
{
    QAction *item = m_formatItems[std::size_t(format)];
    if (item->isChecked())
        return;
    reloadScheme(format);
}

void frmMain::reloadScheme(int format)
{
    if (format < 0 || format >= kSchemeCount)
        return;
    modRegistry::SetSetting(m_reg, SettingId::Format, format);
    for (int i = 0; i < kSchemeCount; ++i)
        m_formatItems[std::size_t(i)]->setChecked(i == format);
    syncBoxes();
    m_session.changeScheme(format);
}

void frmMain::mnuOptionsAlwaysonTop_Click()
{
    const bool on = !m_optOnTop->isChecked();
    m_optOnTop->setChecked(on);
    modRegistry::SetFlag(m_reg, SettingId::OnTop, on);
    // Changing the hint re-creates the native window, which hides it.
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
        show();
}

void frmMain::mnuOptionsClicktoCopy_Click()
{
    const bool on = !m_optClickCopy->isChecked();
    m_optClickCopy->setChecked(on);
    m_ctx.ClickToCopy = on;
    modRegistry::SetFlag(m_reg, SettingId::ClickCopy, on);
    m_copySwatchLabel->setText(on ? QStringLiteral("Click to Copy") : QStringLiteral("CTRL-C to Copy"));
}

void frmMain::mnuOptionsLowercaseHex_Click()
{
    const bool on = !m_optLowerHex->isChecked();
    m_optLowerHex->setChecked(on);
    m_ctx.LowercaseHex = on;
    modRegistry::SetFlag(m_reg, SettingId::LowercaseHex, on);
    m_session.refreshKeepingColour();
}

void frmMain::mnuOptionsAddExtraZerosToHex_Click()
{
    const bool on = !m_optExtraZeros->isChecked();
    m_optExtraZeros->setChecked(on);
    m_ctx.AddExtraZerosToHex = on;
    modRegistry::SetFlag(m_reg, SettingId::ExtraHexZeros, on);
    m_session.refreshKeepingColour();
}

// ------------------------------------------------------------------- help

void frmMain::mnuHelpContents_Click()
{
    m_help.showHelp(HelpCommand::Contents);
}

void frmMain::mnuHelpWhatsThis_Click()
{
    QWhatsThis::enterWhatsThisMode();
}

int frmMain::menuHelpTopic(const QMenu *menu) const
{
    for (const auto &[m, topic] : m_menuTopics)
        if (m == menu)
            return topic;
    return 0;
}

int frmMain::helpContextOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const int id = w->property("helpContext").toInt();
        if (id > 0)
            return id;
        if (w->isWindow())
            break;
    }
    return 0;
}

void frmMain::setHelpContext(QWidget *widget, int contextId)
{
    widget->setProperty("helpContext", contextId);
    widget->setWhatsThis(WhatsThisText(contextId));
}

int frmMain::showContextHelp()
{
    QWidget *focus = QApplication::focusWidget();
    const int context = focus && focus->window() == this ? helpContextOf(focus) : 0;
    const QString text = WhatsThisText(context);
    if (text.isEmpty()) {
        m_help.showHelp(HelpCommand::Contents);
        return 0;
    }
    // A control's topic is its pop-up text, shown beside it.
    QWhatsThis::showText(focus->mapToGlobal(QPoint(focus->width() / 2, focus->height())), text, focus);
    return context;
}

// ------------------------------------------------- output box and swatch events

void frmMain::setSwatchFocusLook(bool focused)
{
    QPalette pal = m_copySwatch->palette();
    const QPalette &system = palette();
    pal.setColor(QPalette::Base, system.color(focused ? QPalette::Highlight : QPalette::Base));
    m_copySwatch->setPalette(pal);
    QPalette text = m_copySwatchLabel->palette();
    text.setColor(QPalette::WindowText, system.color(focused ? QPalette::HighlightedText : QPalette::Text));
    m_copySwatchLabel->setPalette(text);
}

bool frmMain::outputEvent(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    auto shiftState = [](Qt::KeyboardModifiers m) {
        return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
    };

    if (type == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        for (const auto &[menu, topic] : m_menuTopics) {
            if (watched == menu) {
                menu->close();
                m_help.showHelp(HelpCommand::Context, topic);
                return true;
            }
        }
    }

    if (auto *box = qobject_cast<QLineEdit *>(watched);
        box && std::find(m_copyBox.begin(), m_copyBox.end(), box) != m_copyBox.end()) {
        if (type == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_C) {
                // The box's own copy would take only the selection.
                CopyBoxText(box, key->key(), shiftState(key->modifiers()));
                return true;
            }
        } else if (type == QEvent::FocusIn) {
            // After the click that brought the focus has placed the cursor.
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        } else if (type == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && m_ctx.ClickToCopy)
                CopyBoxText(box, Qt::Key_C, 2);
        }
        return false;
    }

    if (watched == m_copySwatch) {
        switch (type) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_C && shiftState(key->modifiers()) == 2) {
                mnuEditCopySwatch_Click();
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            m_copySwatch->setFocus(Qt::MouseFocusReason);
            if (mouse->button() == Qt::RightButton)
                m_mnuSwatch->popup(mouse->globalPosition().toPoint());
            else if (mouse->button() == Qt::LeftButton && m_ctx.ClickToCopy)
                mnuEditCopySwatch_Click();
            return true;
        }
        case QEvent::ContextMenu:
            return true; // the release above shows the menu
        case QEvent::FocusIn:
            setSwatchFocusLook(true);
            break;
        case QEvent::FocusOut:
            setSwatchFocusLook(false);
            break;
        default:
            break;
        }
        return false;
    }

    if (type == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_lock) {
            m_peers.showPaletteTool();
            return true;
        }
        if (watched == m_preview) {
            picPreview_Click();
            return true;
        }
    }
    return false;
}

} // namespace tintwell
