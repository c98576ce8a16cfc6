#include "mainwindow/frmmain.h"

#include "core/colormodel.h"
#include "core/schemefiles.h"
#include "mainwindow/frmabout.h"
#include "mainwindow/frmlicense.h"
#include "mainwindow/sliderrow.h"
#include "platform/colordialog.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
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

// Layout tables are in twips; the fixed 1x layout has 15 twips to a pixel.
QRect tw(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

struct ModeTexts {
    const char *caption;
    const char *tips[3];
};
constexpr ModeTexts kModeTexts[4] = {
    {"&Color Sliders - RGB", {"Red Value", "Green Value", "Blue Value"}},
    {"&Color Sliders - HSL", {"Hue Value", "Saturation Value", "Luminescence Value"}},
    {"&Color Sliders - HSB/HSV", {"Hue Value", "Saturation Value", "Brilliance Value"}},
    {"&Color Sliders - CMY", {"Cyan Value", "Magenta Value", "Yellow Value"}},
};

QGroupBox *frame(QWidget *parent, const QString &title, const QRect &r, const QString &tip)
{
    auto *box = new QGroupBox(title, parent);
    box->setGeometry(r);
    box->setToolTip(tip);
    return box;
}

QPixmap lockPixmap()
{
    QPixmap pm(11, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::NoBrush);
    p.drawArc(2, 0, 6, 8, 0, 180 * 16);
    p.drawLine(2, 4, 2, 5);
    p.drawLine(8, 4, 8, 5);
    p.fillRect(0, 5, 11, 7, QColor(200, 160, 40));
    p.drawRect(0, 5, 10, 6);
    p.drawPoint(5, 8);
    return pm;
}

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

frmMain::frmMain(AppContext &context, clsRegistry &registry, QWidget *parent)
    : QMainWindow(parent)
    , m_ctx(context)
    , m_reg(registry)
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
    m_s.UseOldSliders = true; // checked in the design; start-up toggles it to the stored style
    m_lastColorTimer = new QTimer(this);
    m_lastColorTimer->setSingleShot(true);
    m_lastColorTimer->setInterval(LastColorDelayMs);
    connect(m_lastColorTimer, &QTimer::timeout, this, &frmMain::flushLastColor);
    // One application-wide filter: the key preview of S and Z, and the
    // clicks and keys of the output boxes, the swatch, the preview and the menus.
    qApp->installEventFilter(this);

    showLicense = [this] {
        frmLicense terms(this);
        terms.exec();
    };
    showAbout = [this] {
        frmAbout about(this);
        about.exec();
    };
}

frmMain::~frmMain()
{
    flushLastColor();
    qApp->removeEventFilter(this);
    // The rows draw from m_tracks until they are gone, and a focused row
    // redraws as the window closes: take them down while m_tracks lives.
    delete takeCentralWidget();
}

QLineEdit *frmMain::txtRGBValue(int i) const
{
    return m_rows[std::size_t(i)]->valueBox();
}

void frmMain::buildMenus()
{
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Copy"));
    static const char *copyNames[kBoxCount] = {"Copy H&TML", "Copy He&xadecimal", "Copy &Decimal",
                                               "Copy &RGB", "Copy HS&L", "Copy HS&B/HSV", "Copy C&MY"};
    for (int i = 0; i < kBoxCount; ++i) {
        m_copyValue[std::size_t(i)] = edit->addAction(QString::fromLatin1(copyNames[i]));
        m_copyValue[std::size_t(i)]->setShortcut(QKeySequence(Qt::Key(Qt::Key_F2 + i)));
        connect(m_copyValue[std::size_t(i)], &QAction::triggered, this,
                [this, i] { CopyBoxText(m_copyBox[std::size_t(i)], Qt::Key_C, 2); });
    }
    m_copySwatchItem = edit->addAction(QStringLiteral("Copy S&watch"));
    m_copySwatchItem->setShortcut(QKeySequence(Qt::Key_F9));
    connect(m_copySwatchItem, &QAction::triggered, this, &frmMain::mnuEditCopySwatch_Click);
    m_copyOctalItem = edit->addAction(QStringLiteral("Copy &Octal"));
    connect(m_copyOctalItem, &QAction::triggered, this, &frmMain::mnuEditCopyOctal_Click);

    m_mnuSliders = menuBar()->addMenu(QStringLiteral("&Sliders"));
    static const char *modeNames[4] = {"&RGB", "HS&L", "HS&B/HSV", "C&MY"};
    for (int m = 0; m < 4; ++m) {
        QAction *a = m_mnuSliders->addAction(QString::fromLatin1(modeNames[m]));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, m, a] {
            // The handler decides the check mark, not the click.
            a->setChecked(!a->isChecked());
            chooseSliderMode(m);
        });
        m_modeItems[std::size_t(m)] = a;
    }

    QMenu *picker = menuBar()->addMenu(QStringLiteral("&Picker"));
    static const char *samples[4] = {"1x1 S&ample", "3x3 Sa&mple", "5x5 Sam&ple", "Drag Area Sample"};
    for (int i = 0; i < 4; ++i) {
        m_pickerSample[std::size_t(i)] = picker->addAction(QString::fromLatin1(samples[i]));
        m_pickerSample[std::size_t(i)]->setCheckable(true);
    }
    picker->addSeparator();
    static const char *zooms[5] = {"&1x Zoom", "&2x Zoom", "&3x Zoom", "&6x Zoom", "&9x Zoom"};
    for (int i = 0; i < 5; ++i) {
        m_pickerZoom[std::size_t(i)] = picker->addAction(QString::fromLatin1(zooms[i]));
        m_pickerZoom[std::size_t(i)]->setCheckable(true);
    }
    m_pickerSample[0]->setChecked(true);
    m_pickerZoom[0]->setChecked(true);

    QMenu *format = menuBar()->addMenu(QStringLiteral("&Format"));
    static const char *formats[4] = {"&Standard", "&Byte (0 - 255)", "&Percentage (0 - 100)",
                                     "&Decimal (0.00 - 1.00)"};
    for (int i = 0; i < kSchemeCount; ++i) {
        const QString name = i < 4 ? QString::fromLatin1(formats[i]) : QStringLiteral("Custom %1").arg(i - 3);
        m_formatItems[std::size_t(i)] = format->addAction(name);
        m_formatItems[std::size_t(i)]->setCheckable(true);
        m_formatItems[std::size_t(i)]->setVisible(i < 4);
        connect(m_formatItems[std::size_t(i)], &QAction::triggered, this, [this, i] {
            // The handler decides the check mark, not the click.
            m_formatItems[std::size_t(i)]->setChecked(!m_formatItems[std::size_t(i)]->isChecked());
            mnuFormat_Click(i);
        });
    }

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    auto option = [options](const char *text) {
        QAction *a = options->addAction(QString::fromLatin1(text));
        a->setCheckable(true);
        return a;
    };
    m_optOnTop = option("Always on &Top");
    m_optClickCopy = option("&Click to Copy");
    m_optLowerHex = option("&Lowercase Hex");
    m_optExtraZeros = option("Add Extra &Zeros to Hex");
    m_optOldSliders = option("Use Old &Style Sliders");
    m_optOldSliders->setChecked(true);
    // Each handler toggles its own check mark.
    auto toggle = [this](QAction *item, void (frmMain::*handler)()) {
        connect(item, &QAction::triggered, this, [this, item, handler] {
            item->setChecked(!item->isChecked());
            (this->*handler)();
        });
    };
    toggle(m_optOldSliders, &frmMain::mnuOptionsUseOldSliders_Click);
    toggle(m_optOnTop, &frmMain::mnuOptionsAlwaysonTop_Click);
    toggle(m_optClickCopy, &frmMain::mnuOptionsClicktoCopy_Click);
    toggle(m_optLowerHex, &frmMain::mnuOptionsLowercaseHex_Click);
    toggle(m_optExtraZeros, &frmMain::mnuOptionsAddExtraZerosToHex_Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpContents = help->addAction(QStringLiteral("&Contents"));
    m_helpContents->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(m_helpContents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
    m_helpWhatsThis = help->addAction(QStringLiteral("&What's This?"));
    connect(m_helpWhatsThis, &QAction::triggered, this, &frmMain::mnuHelpWhatsThis_Click);
    connect(help->addAction(QStringLiteral("&About")), &QAction::triggered, this, [this] {
        if (showAbout)
            showAbout();
    });

    m_menuTopics = {{{edit, 17}, {m_mnuSliders, 7}, {picker, 1001}, {format, 10}, {options, 11}, {help, 18}}};

    // F1 anywhere in the window; inside an open menu the menu's filter sees it first.
    auto *f1 = new QAction(this);
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    f1->setShortcutContext(Qt::WindowShortcut);
    connect(f1, &QAction::triggered, this, [this] { showContextHelp(); });
    addAction(f1);

    m_mnuSwatch = new QMenu(QStringLiteral("SWATCHMENU"), this);
    connect(m_mnuSwatch->addAction(QStringLiteral("&Copy")), &QAction::triggered, this,
            &frmMain::mnuEditCopySwatch_Click);
}

void frmMain::buildLayout()
{
    auto *client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    // Etched separator under the menu bar.
    auto *line1 = new QWidget(client);
    line1->setGeometry(0, 0, ClientWidth, 1);
    line1->setAutoFillBackground(true);
    line1->setBackgroundRole(QPalette::Dark);
    auto *line2 = new QWidget(client);
    line2->setGeometry(0, 1, ClientWidth, 1);
    line2->setAutoFillBackground(true);
    line2->setBackgroundRole(QPalette::Light);

    m_fraSliders = frame(client, QStringLiteral("&Color Sliders"), tw(120, 120, 3585, 1185),
                         QStringLiteral("Color Selection Sliders"));
    m_frame1 = frame(client, QStringLiteral("Dar&ker"), tw(120, 1350, 3585, 585), QStringLiteral("Shade Slider"));
    for (int i = 0; i < 4; ++i) {
        QWidget *parent = i < 3 ? m_fraSliders : m_frame1;
        auto *row = new SliderRow(i, &m_tracks, parent);
        row->move(75 / 15, i < 3 ? (240 + 300 * i) / 15 : 240 / 15);
        row->setColours(m_colours);
        m_rows[std::size_t(i)] = row;
        connect(row, &SliderRow::stepPressed, this, &frmMain::onStepPressed);
        connect(row, &SliderRow::valueRequested, this, &frmMain::onValueRequested);
        connect(row, &SliderRow::commitRequested, this, &frmMain::onCommitRequested);
        connect(row, &SliderRow::pasteRejected, this, &frmMain::onPasteRejected);
        connect(row, &SliderRow::slidersMenuRequested, this, [this](const QPoint &pos) { m_mnuSliders->popup(pos); });
        connect(row, &SliderRow::focusChanged, this, [this](int r, bool in) { FocusedSlider = in ? r : 99; });
    }
    m_rows[3]->setToolTip(QStringLiteral("Shade"));
    for (int i = 0; i < 3; ++i) {
        m_rows[std::size_t(i)]->setToolTip(QString::fromLatin1(kModeTexts[0].tips[i]));
        txtRGBValue(i)->setToolTip(QString::fromLatin1(kModeTexts[0].tips[i]));
    }
    auto *lighter = new QLabel(QStringLiteral("Lighter"), m_frame1);
    // Right-aligned on the designed right edge: the designed 540 twips are a
    // little short for "Lighter" in the fonts found on Linux desktops.
    lighter->setGeometry(tw(2925 - 120, 0, 540 + 120, 195));
    lighter->setAlignment(Qt::AlignRight | Qt::AlignTop);

    QGroupBox *frame3 = frame(client, QStringLiteral("Preview"), tw(3840, 120, 1035, 1185), QStringLiteral("Color Preview"));
    m_preview = new QWidget(frame3);
    m_preview->setGeometry(tw(75, 240, 870, 870));
    m_preview->setToolTip(QStringLiteral("Color Preview"));
    m_preview->setAutoFillBackground(true);
    m_lock = new QLabel(m_preview);
    m_lock->setPixmap(lockPixmap());
    m_lock->adjustSize();
    m_lock->move(m_preview->width() - m_lock->width(), m_preview->height() - m_lock->height());
    m_lock->setToolTip(QStringLiteral("Current Palette Contains Color"));
    m_lock->hide();

    m_frame4 = frame(client, QStringLiteral("Picker"), tw(4995, 120, 1050, 1815), QStringLiteral("Color Picker Tool"));
    m_frame5 = frame(client, QStringLiteral("Format Co&nverter"), tw(120, 1980, 3600, 630),
                     QStringLiteral("Format Converter Tool"));

    m_cmdColorDialog = new QPushButton(QStringLiteral("Color D&ialog"), client);
    m_cmdColorDialog->setGeometry(tw(3840, 1440, 1035, 495));
    m_cmdColorDialog->setToolTip(QStringLiteral("Display Windows Color Dialog"));
    connect(m_cmdColorDialog, &QPushButton::clicked, this, &frmMain::cmdColorDialog_Click);
    m_cmdPaletteTool = new QPushButton(QStringLiteral("&Palette Tool"), client);
    m_cmdPaletteTool->setGeometry(tw(3840, 2070, 1035, 540));
    connect(m_cmdPaletteTool, &QPushButton::clicked, this, [this] {
        if (showPaletteTool)
            showPaletteTool();
    });
    m_cmdAdvanced = new QPushButton(QStringLiteral("&Advanced"), client);
    m_cmdAdvanced->setGeometry(tw(4995, 2070, 1050, 540));
    connect(m_cmdAdvanced, &QPushButton::clicked, this, [this] {
        if (showAdvanced)
            showAdvanced();
    });

    // Output grid: four columns of 1530 twips, two rows of caption and box.
    static constexpr int columns[4] = {0, 1545, 3090, 4635};
    struct Cell {
        int box;
        const char *caption;
        const char *tip;
        const char *text;
        int row;
        int column;
    };
    static constexpr Cell cells[kBoxCount] = {
        {3, "&RGB", "RGB Format", "0,0,0", 0, 0},
        {4, "HS&L", "HSL Format", "0,0,0", 0, 1},
        {5, "HS&B/HSV", "HSB/HSV Format", "0,0,0", 0, 2},
        {6, "C&MY", "CMY Format", "0,0,0", 0, 3},
        {0, "H&TML", "HTML Format", "000000", 1, 0},
        {1, "He&xadecimal", "Hexadecimal Format", "0", 1, 1},
        {2, "&Decimal", "Decimal Format", "0", 1, 2},
    };
    auto captionRect = [](int row, int column) {
        return row == 0 ? tw(columns[column], 2655, 1530, 240) : tw(columns[column], 3180, 1530, 255);
    };
    auto boxRect = [](int row, int column) { return tw(columns[column], row == 0 ? 2865 : 3390, 1530, 285); };
    for (const Cell &c : cells) {
        auto *box = new QLineEdit(QString::fromLatin1(c.text), client);
        box->setReadOnly(true);
        box->setGeometry(boxRect(c.row, c.column));
        box->setToolTip(QString::fromLatin1(c.tip));
        auto *label = new QLabel(QString::fromLatin1(c.caption), client);
        label->setGeometry(captionRect(c.row, c.column));
        label->setBuddy(box);
        m_copyBox[std::size_t(c.box)] = box;
        m_formatNames[std::size_t(c.box)] = label;
        setHelpContext(box, 6011);
        setHelpContext(label, 6011);
    }
    auto *swatchCaption = new QLabel(QStringLiteral("S&watch"), client);
    swatchCaption->setGeometry(captionRect(1, 3));
    m_copySwatch = new QWidget(client);
    m_copySwatch->setGeometry(boxRect(1, 3));
    m_copySwatch->setToolTip(QStringLiteral("Graphical Swatch"));
    m_copySwatch->setFocusPolicy(Qt::StrongFocus);
    m_copySwatch->setAutoFillBackground(true);
    m_copySwatch->setBackgroundRole(QPalette::Base);
    swatchCaption->setBuddy(m_copySwatch);
    m_copySwatchLabel = new QLabel(QStringLiteral("CTRL-C to Copy"), m_copySwatch);
    m_copySwatchLabel->setGeometry(tw(0, 15, 1470, 225));
    m_copySwatchLabel->setAlignment(Qt::AlignCenter);
    // The label's clicks are the swatch's clicks.
    m_copySwatchLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    setSwatchFocusLook(false);
    setHelpContext(swatchCaption, 6010);
    setHelpContext(m_copySwatch, 6010);
    setHelpContext(m_fraSliders, 6001);
    for (int i = 0; i < 3; ++i) {
        setHelpContext(m_rows[std::size_t(i)], 6001);
        setHelpContext(txtRGBValue(i), 6001);
    }
    setHelpContext(m_frame1, 6002);
    setHelpContext(m_rows[3], 6002);
    setHelpContext(frame3, 6003);
    setHelpContext(m_preview, 6003);
    setHelpContext(m_cmdColorDialog, 6005);
    setHelpContext(m_frame4, 6006);
    setHelpContext(m_frame5, 6007);
    setHelpContext(m_cmdPaletteTool, 6009);
    setHelpContext(m_cmdAdvanced, 6012);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// ------------------------------------------------------------------ start-up

void frmMain::Load()
{
    m_ctx.Loading = true;
    FocusedSlider = 99;

    int format = modRegistry::GetSetting(m_reg, SettingId::Format);
    if (m_ctx.loadScheme(format, [this] { SetFormatNames(); }) != 0) {
        m_ctx.loadScheme(0, [this] { SetFormatNames(); });
        format = 0;
    }
    m_ctx.SchemeIndex = format;
    for (int i = 0; i < kSchemeCount; ++i)
        m_formatItems[std::size_t(i)]->setChecked(i == format);
    SetCustomFormatMenuNames();

    const int mode = modRegistry::GetSetting(m_reg, SettingId::Sliders);
    if (mode >= 0 && mode <= 3)
        chooseSliderMode(mode);

    if (modRegistry::GetLastColor(m_reg) == -1) {
        if (showLicense)
            showLicense();
        modRegistry::SetLastColor(m_reg, kFirstRunColor);
    }

    const QSize screenPx = screen() ? screen()->geometry().size() : QSize(1024, 768);
    const QSize windowPx = sizeHint().expandedTo(QSize(ClientWidth, ClientHeight));
    const modRegistry::PositionRecord pos = modRegistry::RestoreWindowPosition(
        m_reg, modRegistry::StoredWindow::Main, screenPx * 15, windowPx * 15);
    move(int(std::lround(pos.X / 15.0)), int(std::lround(pos.Y / 15.0)));

    if (modRegistry::GetSetting(m_reg, SettingId::OnTop) > 0) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        m_optOnTop->setChecked(true);
        m_ctx.AlwaysOnTop = true;
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
        m_s.UseOldSliders = false;
    }

    mnuOptionsUseOldSliders_Click();

    // The palette window loads hidden, so SetColors below already finds the
    // table and its Auto Select option.
    if (loadPaletteTool)
        loadPaletteTool();

    m_ctx.Loading = false;
    std::int32_t color = modRegistry::GetLastColor(m_reg);
    if (color < 0)
        color = kFirstRunColor;
    SetColors(color, true, true);
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
        if (answer == MsgResult::Yes && savePalette && !savePalette()) {
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
        cycleChecked(m_pickerSample);
    else if (key == Qt::Key_Z)
        cycleChecked(m_pickerZoom);
    else
        return false;
    if (pickerSettingChanged)
        pickerSettingChanged();
    return true;
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

void frmMain::cycleChecked(const std::array<QAction *, 4> &items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i]->isChecked()) {
            items[i]->setChecked(false);
            items[(i + 1) % items.size()]->setChecked(true);
            return;
        }
    }
}

void frmMain::cycleChecked(const std::array<QAction *, 5> &items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i]->isChecked()) {
            items[i]->setChecked(false);
            items[(i + 1) % items.size()]->setChecked(true);
            return;
        }
    }
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

void frmMain::InitFixValues()
{
    boxesToState();
    tintwell::InitFixValues(m_s, m_ctx.Factors);
}

void frmMain::FixValues()
{
    tintwell::FixValues(m_s, m_ctx.Scheme, m_ctx.Factors);
    stateToBoxes();
    applyRowScales();
    if (!m_s.UseOldSliders)
        PrepareTrackBackgrounds();
    redrawAllRows();
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
    m_fraSliders->setTitle(QString::fromLatin1(kModeTexts[mode].caption));
    for (int i = 0; i < 3; ++i) {
        const QString tip = QString::fromLatin1(kModeTexts[mode].tips[i]);
        m_rows[std::size_t(i)]->setToolTip(tip);
        txtRGBValue(i)->setToolTip(tip);
    }
    m_s.SliderMode = mode;
    applyRowScales();
    if (m_ctx.FormLoaded) {
        std::int32_t color = -1;
        SetColors(color, true, true);
    }
}

void frmMain::mnuOptionsUseOldSliders_Click()
{
    const bool old = !m_optOldSliders->isChecked();
    m_optOldSliders->setChecked(old);
    m_s.UseOldSliders = old;
    m_ctx.UseOldSliders = old;
    modRegistry::SetFlag(m_reg, SettingId::OldSliders, old);
    applyRowScales();
    if (old)
        m_tracks.FillFlat(m_colours.scrollBar);
    else
        PrepareTrackBackgrounds();
    redrawAllRows();
    std::int32_t color = -1;
    SetColors(color, true, true);
}

void frmMain::applyRowScales()
{
    const NumericFormat &f = m_ctx.Scheme.Formats[std::size_t(m_s.SliderMode)];
    for (int i = 0; i < 4; ++i) {
        SliderRow *row = m_rows[std::size_t(i)];
        row->setScale(f.InputBase[std::size_t(i)], f.InputStep[std::size_t(i)], f.InputLargeStep[std::size_t(i)]);
        row->setOldThumbWidth(OldThumbSize(m_s, m_ctx.Scheme, i));
    }
    m_tracks.setRow0FromSpectrum(m_s.SliderMode == kSliderModeHSL || m_s.SliderMode == kSliderModeHSB);
}

void frmMain::redrawAllRows()
{
    for (int i = 0; i < 3; ++i) {
        m_rows[std::size_t(i)]->setSliderValue(ToSliderUnits(m_s, m_ctx.Factors, i, m_s.LastDrawnValue[std::size_t(i)]));
        m_rows[std::size_t(i)]->redraw();
    }
    m_rows[3]->setSliderValue(m_s.ShadeValue);
    m_rows[3]->redraw();
}

void frmMain::PrepareTrackBackgrounds()
{
    if (m_s.UseOldSliders)
        return;
    const ColorValues &v = m_values;
    const int R = v.Red, G = v.Green, B = v.Blue;
    m_tracks.DrawHueSpectrum();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    std::array<RowGradient, 3> rows;
    switch (m_s.SliderMode) {
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
    const QRgb shadeMid = hslColour(ShadeHue, ShadeSaturation, 128);
    m_tracks.DrawRowBackground(ShadeRow, {{black, shadeMid, 0, 100}, {shadeMid, white, 100, 199}});
}

// ------------------------------------------------------------ shade slider

void frmMain::ApplyShade()
{
    const std::uint8_t L = ToInternalByte(m_s, m_ctx.Factors, ShadeRow, m_s.ShadeValue);
    std::uint8_t r = 0, g = 0, b = 0;
    HSLToRGB(std::int32_t(RoundHalfEven(ShadeHue)), clampByte(ShadeSaturation), L, r, g, b);
    std::array<float, 3> out{float(r), float(g), float(b)};
    switch (m_s.SliderMode) {
    case kSliderModeHSL:
        out = {float(m_values.HSLHue), float(m_values.HSLSaturation), float(L)};
        break;
    case kSliderModeHSB: {
        std::int32_t h = 0;
        std::uint8_t s = 0, br = 0;
        RGBToHSB(r, g, b, h, s, br);
        out = {float(h), float(s), float(br)};
        break;
    }
    case kSliderModeCMY: {
        std::uint8_t c = 0, m = 0, y = 0;
        RGBToCMY(r, g, b, c, m, y);
        out = {float(c), float(m), float(y)};
        break;
    }
    default:
        break;
    }
    Updating = true;
    for (int i = 0; i < 3; ++i)
        WriteSliderValue(m_s, m_ctx.Scheme, m_ctx.Factors, i, out[std::size_t(i)]);
    stateToBoxes();
    Updating = false;
    ShadeDriven = true;
}

// ------------------------------------------------------------ row handlers

void frmMain::boxesToState()
{
    for (int i = 0; i < 3; ++i)
        m_s.BoxText[std::size_t(i)] = txtRGBValue(i)->text();
}

void frmMain::stateToBoxes()
{
    for (int i = 0; i < 3; ++i)
        if (txtRGBValue(i)->text() != m_s.BoxText[std::size_t(i)])
            txtRGBValue(i)->setText(m_s.BoxText[std::size_t(i)]);
}

void frmMain::onStepPressed(int row, int direction, float v)
{
    std::int32_t color = -1;
    m_s.SliderValue[std::size_t(row)] = m_rows[std::size_t(row)]->sliderValue();
    if (row == ShadeRow) {
        const float base = m_ctx.Scheme.Formats[std::size_t(m_s.SliderMode)].InputBase[ShadeRow];
        if ((direction < 0 && v < m_s.ShadeValue) || (direction > 0 && v > m_s.ShadeValue)) {
            m_s.ShadeValue = std::clamp(v, 0.0f, base);
            ApplyShade();
            SetColors(color, true, true);
        }
        return;
    }
    ShadeDriven = false;
    boxesToState();
    const float inBox = GetSliderText(m_s, row);
    bool commit = false;
    if (direction < 0) {
        if (v < inBox && v >= 0)
            SetSliderText(m_s, m_ctx.Scheme, row, v);
        commit = v < inBox;
    } else if (inBox < v) {
        SetSliderText(m_s, m_ctx.Scheme, row, v);
        commit = true;
    }
    if (!commit)
        return;
    CommitSliderText(m_s, m_ctx.Scheme, row);
    Updating = true;
    stateToBoxes();
    Updating = false;
    SetColors(color, true, true);
}

void frmMain::onValueRequested(int row, float v)
{
    std::int32_t color = -1;
    if (row == ShadeRow) {
        m_s.ShadeValue = v;
        ApplyShade();
    } else {
        ShadeDriven = false;
        Updating = true;
        SetSliderText(m_s, m_ctx.Scheme, row, v);
        stateToBoxes();
        Updating = false;
    }
    SetColors(color, true, true);
}

void frmMain::onCommitRequested(int row)
{
    if (Updating)
        return;
    boxesToState();
    CommitSliderText(m_s, m_ctx.Scheme, row);
    Updating = true;
    stateToBoxes();
    Updating = false;
    ShadeDriven = false;
    std::int32_t color = -1;
    SetColors(color, true, true);
}

void frmMain::onPasteRejected(int row)
{
    SetSliderText(m_s, m_ctx.Scheme, row, m_rows[std::size_t(row)]->sliderValue());
    Updating = true;
    stateToBoxes();
    Updating = false;
}

std::array<float, 3> frmMain::modeComponents(const ColorValues &v) const
{
    switch (m_s.SliderMode) {
    case kSliderModeHSL: return {float(v.HSLHue), float(v.HSLSaturation), float(v.HSLLightness)};
    case kSliderModeHSB: return {float(v.HSBHue), float(v.HSBSaturation), float(v.HSBBrightness)};
    case kSliderModeCMY: return {float(v.Cyan), float(v.Magenta), float(v.Yellow)};
    default: return {float(v.Red), float(v.Green), float(v.Blue)};
    }
}

// ---------------------------------------------------------------- SetColors

void frmMain::SetColors(std::int32_t &Color, bool ChangePaletteIndex, bool ChangeSliders)
{
    if (m_ctx.Loading || Updating)
        return;
    // A colour handed in from outside (picker, dialog, palette, converter)
    // never comes from the shade row.
    if (Color != -1)
        ShadeDriven = false;
    // Back at the lightness it started from, the shade row gives the colour
    // it started from, which HSL does not always convert back to exactly.
    if (Color == -1 && ShadeDriven && ShadeBaseColor >= 0 &&
        ToInternalByte(m_s, m_ctx.Factors, ShadeRow, m_s.ShadeValue) == ShadeBaseLightness)
        Color = ShadeBaseColor;
    const int mode = m_s.SliderMode;
    const bool modeChanged = mode != m_s.PrevSliderMode;
    if (modeChanged) {
        // The shade keeps its place in the new units.
        const auto &prev = m_ctx.Scheme.Formats[std::size_t(m_s.PrevSliderMode)];
        const auto &next = m_ctx.Scheme.Formats[std::size_t(mode)];
        if (prev.InputBase[ShadeRow] > 0) {
            m_s.ShadeValue = m_s.ShadeValue * 255.0f / prev.InputBase[ShadeRow] * next.InputBase[ShadeRow] / 255.0f;
            m_s.SliderValue[ShadeRow] = m_s.ShadeValue;
        }
    }
    Updating = true;

    if (Color == -1 && (modeChanged || m_keepColour) && m_ctx.FormLoaded) {
        // A mode or scheme switch shows the same colour in the new system or
        // units. Reading it back through the new boxes would round it into a
        // different colour, so the colour and every value behind the outputs
        // stay as they are.
        const std::array<float, 3> comp = modeComponents(m_values);
        for (int i = 0; i < 3; ++i) {
            WriteSliderValue(m_s, m_ctx.Scheme, m_ctx.Factors, i, comp[std::size_t(i)]);
            m_s.SliderValue[std::size_t(i)] = ToSliderUnits(m_s, m_ctx.Factors, i, comp[std::size_t(i)]);
        }
        Color = m_values.Color;
    } else if (Color == -1) {
        boxesToState();
        std::array<std::int32_t, 3> modeValues{};
        const auto &factors = m_ctx.Factors[std::size_t(mode)];
        for (int i = 0; i < 3; ++i) {
            const double internal = double(GetSliderText(m_s, i)) * double(factors[std::size_t(kInternalPerUnit + i)]);
            const bool hue = i == 0 && (mode == kSliderModeHSL || mode == kSliderModeHSB);
            modeValues[std::size_t(i)] = hue ? std::int32_t(std::clamp(RoundHalfEven(internal), 0.0, 360.0))
                                             : std::int32_t(clampByte(internal));
            m_s.SliderValue[std::size_t(i)] = ToSliderUnits(m_s, m_ctx.Factors, i, float(modeValues[std::size_t(i)]));
        }
        std::uint8_t r = 0, g = 0, b = 0;
        const auto m0 = modeValues[0];
        const auto m1 = std::uint8_t(modeValues[1]);
        const auto m2 = std::uint8_t(modeValues[2]);
        switch (mode) {
        case kSliderModeHSL: HSLToRGB(m0, m1, m2, r, g, b); break;
        case kSliderModeHSB: HSBToRGB(m0, m1, m2, r, g, b); break;
        case kSliderModeCMY: RGBToCMY(std::uint8_t(m0), m1, m2, r, g, b); break;
        default: r = std::uint8_t(m0); g = m1; b = m2; break;
        }
        m_values = ComputeColorValues(r, g, b, mode, modeValues);
        Color = m_values.Color;
    } else {
        std::int16_t r = 0, g = 0, b = 0;
        if (!SplitColor(Color, r, g, b)) {
            // Not a plain colour (a system-colour reference or a stray top
            // byte): only its colour bytes count.
            SplitColor(Color & 0xFFFFFF, r, g, b);
        }
        m_values = ComputeColorValues(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
        const std::array<float, 3> comp = modeComponents(m_values);
        for (int i = 0; i < 3; ++i)
            WriteSliderValue(m_s, m_ctx.Scheme, m_ctx.Factors, i, comp[std::size_t(i)]);
        Color = m_values.Color;
    }
    stateToBoxes();

    if (!ShadeDriven) {
        ShadeHue = float(m_values.HSLHue);
        ShadeSaturation = float(m_values.HSLSaturation);
        ShadeBaseColor = m_values.Color;
        ShadeBaseLightness = m_values.HSLLightness;
        m_s.ShadeValue = ToSliderUnits(m_s, m_ctx.Factors, ShadeRow, float(m_values.HSLLightness));
        m_s.SliderValue[ShadeRow] = m_s.ShadeValue;
    }

    if (ChangeSliders) {
        const std::array<float, 3> comp = modeComponents(m_values);
        bool redraw = !m_tracksDrawn || modeChanged;
        for (int i = 0; i < 3; ++i)
            redraw = redraw || comp[std::size_t(i)] != m_s.LastDrawnValue[std::size_t(i)];
        // The gradients of the other rows follow every colour change, so a
        // change anywhere redraws all tracks.
        for (int i = 0; i < 3; ++i)
            m_s.LastDrawnValue[std::size_t(i)] = comp[std::size_t(i)];
        if (redraw || m_s.ShadeValue != m_s.LastDrawnValue[ShadeRow]) {
            applyRowScales();
            if (!m_s.UseOldSliders)
                PrepareTrackBackgrounds();
            redrawAllRows();
            m_tracksDrawn = true;
        }
        m_s.LastDrawnValue[ShadeRow] = m_s.ShadeValue;
        m_s.PrevSliderMode = mode;
    }
    Updating = false;

    QPalette pal = m_preview->palette();
    pal.setColor(QPalette::Window, QColor(m_values.Red, m_values.Green, m_values.Blue));
    m_preview->setPalette(pal);

    m_unsavedLastColor = Color;
    if (!m_lastColorTimer->isActive())
        m_lastColorTimer->start();

    const std::array<QString, kBoxCount> texts = FillOutputBoxes(m_ctx, m_values);
    for (int i = 0; i < kBoxCount; ++i)
        if (m_copyBox[std::size_t(i)]->text() != texts[std::size_t(i)])
            m_copyBox[std::size_t(i)]->setText(texts[std::size_t(i)]);

    const std::optional<int> found = FindPaletteColor(m_ctx.Palette, Color);
    if (found && m_ctx.Palette.AutoSelect && ChangePaletteIndex && *found != m_ctx.Palette.PaletteIndex) {
        if (selectPaletteEntry)
            selectPaletteEntry(*found);
        m_ctx.Palette.PaletteIndex = *found;
    }
    m_lock->setVisible(found.has_value());
}

// ------------------------------------------------------- outputs and menus

void frmMain::refreshKeepingColour()
{
    m_keepColour = true;
    std::int32_t color = -1;
    SetColors(color, true, true);
    m_keepColour = false;
}

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
    swatch.fill(QColor(m_values.Red, m_values.Green, m_values.Blue));
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(swatch);
}

void frmMain::mnuEditCopyOctal_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::number(std::uint32_t(m_values.Color) & 0xFFFFFFu, 8));
}

void frmMain::picPreview_Click()
{
    int index = 0;
    std::int32_t color = NearestPaletteColor(m_ctx.Palette, m_values.Color, index);
    ShadeDriven = false;
    SetColors(color, true, true);
}

void frmMain::cmdColorDialog_Click()
{
    std::int32_t color = m_values.Color;
    if (chooseColor) {
        color = chooseColor(color);
    } else {
        if (!m_colorDialog)
            m_colorDialog = std::make_unique<clsColorDialog>();
        color = ChooseColor(*m_colorDialog, m_reg, color, this);
    }
    ShadeDriven = false;
    SetColors(color, true, true);
}

void frmMain::mnuFormat_Click(int format)
{
    QAction *item = m_formatItems[std::size_t(format)];
    if (item->isChecked())
        return;
    modRegistry::SetSetting(m_reg, SettingId::Format, format);
    for (int i = 0; i < kSchemeCount; ++i)
        m_formatItems[std::size_t(i)]->setChecked(i == format);
    InitFixValues();
    // A slot that no longer loads still counts as chosen; the load has said
    // what went wrong and left the scheme it could.
    m_ctx.loadScheme(format, [this] { SetFormatNames(); });
    m_ctx.SchemeIndex = format;
    FixValues();
    refreshKeepingColour();
}

void frmMain::mnuOptionsAlwaysonTop_Click()
{
    const bool on = !m_optOnTop->isChecked();
    m_optOnTop->setChecked(on);
    m_ctx.AlwaysOnTop = on;
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
    refreshKeepingColour();
}

void frmMain::mnuOptionsAddExtraZerosToHex_Click()
{
    const bool on = !m_optExtraZeros->isChecked();
    m_optExtraZeros->setChecked(on);
    m_ctx.AddExtraZerosToHex = on;
    modRegistry::SetFlag(m_reg, SettingId::ExtraHexZeros, on);
    refreshKeepingColour();
}

// ------------------------------------------------------------------- help

HelpWindow *frmMain::helpWindow()
{
    if (!m_help) {
        // A window of its own, so it stays open beside the program.
        m_help = new HelpWindow(nullptr);
        m_help->setAttribute(Qt::WA_QuitOnClose, false);
        connect(this, &QObject::destroyed, m_help, &QObject::deleteLater);
    }
    return m_help;
}

void frmMain::mnuHelpContents_Click()
{
    helpWindow()->showHelp(HelpCommand::Contents);
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
        helpWindow()->showHelp(HelpCommand::Contents);
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
                helpWindow()->showHelp(HelpCommand::Context, topic);
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
            if (showPaletteTool)
                showPaletteTool();
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
