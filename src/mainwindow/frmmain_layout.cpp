// The main window's controls and menus at the fixed 1x layout.
#include "mainwindow/frmmain.h"

#include "mainwindow/sliderrow.h"
#include "platform/help.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

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

// Drawn at the screen's ratio: a 1x lock stretched on a high-DPI screen blurs.
QPixmap lockPixmap(qreal scale)
{
    QPixmap pm(int(std::ceil(11 * scale)), int(std::ceil(12 * scale)));
    pm.setDevicePixelRatio(scale);
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

} // namespace

QString frmMain::modeCaption(int mode)
{
    return QString::fromLatin1(kModeTexts[std::clamp(mode, 0, 3)].caption);
}

QString frmMain::modeTip(int mode, int row)
{
    return QString::fromLatin1(kModeTexts[std::clamp(mode, 0, 3)].tips[std::clamp(row, 0, 2)]);
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
    m_mnuPicker = picker;
    // PickerPanel makes the two groups exclusive and gives them their handlers.
    static const char *samples[4] = {"1x1 S&ample", "3x3 Sa&mple", "5x5 Sam&ple", "Drag Area Sample"};
    for (int i = 0; i < 4; ++i)
        m_pickerSample[std::size_t(i)] = picker->addAction(QString::fromLatin1(samples[i]));
    picker->addSeparator();
    static const char *zooms[5] = {"&1x Zoom", "&2x Zoom", "&3x Zoom", "&6x Zoom", "&9x Zoom"};
    for (int i = 0; i < 5; ++i)
        m_pickerZoom[std::size_t(i)] = picker->addAction(QString::fromLatin1(zooms[i]));

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
        m_peers.showAbout(this);
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
        connect(row, &SliderRow::slidersMenuRequested, this, [this](const QPoint &pos) { m_mnuSliders->popup(pos); });
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
    m_lock->setPixmap(lockPixmap(m_preview->devicePixelRatioF()));
    m_lock->adjustSize();
    m_lock->move(m_preview->width() - m_lock->width(), m_preview->height() - m_lock->height());
    m_lock->setToolTip(QStringLiteral("Current Palette Contains Color"));
    m_lock->hide();

    m_frame4 = frame(client, QStringLiteral("Picker"), tw(4995, 120, 1050, 1815), QStringLiteral("Color Picker Tool"));
    m_frame5 = frame(client, QStringLiteral("Format Co&nverter"), tw(120, 1980, 3600, 630),
                     QStringLiteral("Format Converter Tool"));
    buildPickerAndConverter();

    m_cmdColorDialog = new QPushButton(QStringLiteral("Color D&ialog"), client);
    m_cmdColorDialog->setGeometry(tw(3840, 1440, 1035, 495));
    m_cmdColorDialog->setToolTip(QStringLiteral("Display Windows Color Dialog"));
    connect(m_cmdColorDialog, &QPushButton::clicked, this, &frmMain::cmdColorDialog_Click);
    m_cmdPaletteTool = new QPushButton(QStringLiteral("&Palette Tool"), client);
    m_cmdPaletteTool->setGeometry(tw(3840, 2070, 1035, 540));
    connect(m_cmdPaletteTool, &QPushButton::clicked, this, [this] {
        m_peers.showPaletteTool();
    });
    m_cmdAdvanced = new QPushButton(QStringLiteral("&Advanced"), client);
    m_cmdAdvanced->setGeometry(tw(4995, 2070, 1050, 540));
    connect(m_cmdAdvanced, &QPushButton::clicked, this, [this] {
        m_peers.showAdvanced();
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

} // namespace tintwell
