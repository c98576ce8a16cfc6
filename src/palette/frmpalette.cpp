#include "palette/frmpalette.h"

#include "core/colorsession.h"
#include "platform/mnemonics.h"
#include "platform/windowplacement.h"

#include "palette/paletteedit.h"
#include "palette/paletteexport.h"
#include "palette/palettefile.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWhatsThis>

#include <cmath>

namespace tintwell {

namespace {

constexpr int kTablePixels = 256;
constexpr int kFileItem = 5;
constexpr int kHelpTopicPalette = 2;
constexpr int kHelpTopicMenus = 1002;
constexpr int kHelpTopicOptions = 1004;

const QString kUntitled = QStringLiteral("Palette Tool - Untitled");

void frame(QImage &image, QRect r, QRgb colour)
{
    QPainter p(&image);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), QColor(colour));
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), QColor(colour));
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), QColor(colour));
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), QColor(colour));
}

QRect cellOutline(int i) { return QRect((i % 16) * 16, (i / 16) * 16, 16, 16); }

QRgb rgbOf(std::int32_t c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

} // namespace

void DrawPaletteTable(QImage &image, const PaletteState &palette, const PaletteTableColours &colours,
                      qreal scale)
{
    const int side = int(std::floor(kTablePixels * scale + 0.5));
    if (image.size() != QSize(side, side) || image.devicePixelRatio() != scale) {
        image = QImage(side, side, QImage::Format_RGB32);
        // The painters below draw in table pixels; the ratio makes each one
        // a block of device pixels, so cells stay sharp on any screen.
        image.setDevicePixelRatio(scale);
    }
    image.fill(colours.face);
    {
        QPainter p(&image);
        for (int i = 0; i < 256; ++i) {
            const QRect square = cellOutline(i).adjusted(2, 2, -2, -2); // 12 x 12
            p.fillRect(square, QColor(colours.text));
            p.fillRect(square.adjusted(1, 1, -1, -1), QColor(rgbOf(palette.PaletteColors[std::size_t(i)])));
        }
    }
    if (palette.PaletteRangeCount > 0) {
        const PaletteSpan span = SelectedSpan(palette);
        for (int i = span.first; i <= span.last; ++i) {
            frame(image, cellOutline(i), colours.shadow);
            frame(image, cellOutline(i).adjusted(1, 1, -1, -1), colours.shadow);
        }
    }
    frame(image, cellOutline(std::clamp(palette.PaletteIndex, 0, 255)), colours.text);
}

// --------------------------------------------------------------- table view

PaletteTableView::PaletteTableView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kTablePixels, kTablePixels);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaletteTableView::redraw(const PaletteState &palette, const PaletteTableColours &colours)
{
    m_palette = palette;
    m_colours = colours;
    DrawPaletteTable(m_image, palette, colours, devicePixelRatioF());
    update();
}

void PaletteTableView::paintEvent(QPaintEvent *)
{
    // Moved to a screen of another ratio since the last redraw.
    if (m_image.devicePixelRatio() != devicePixelRatioF())
        DrawPaletteTable(m_image, m_palette, m_colours, devicePixelRatioF());
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_image);
}

void PaletteTableView::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), event->modifiers().testFlag(Qt::ShiftModifier),
                 event->position().toPoint());
}

void PaletteTableView::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging with any button down extends the run.
    if (event->buttons() != Qt::NoButton)
        emit pressed(Qt::NoButton, true, event->position().toPoint());
}

// ------------------------------------------------------------------- window

const QString frmPalette::OpenFilter = QStringLiteral(
    "All Supported Formats|*.pal;*.act;*.bmp;*.gpl|Paint Shop Pro Palette (*.pal)|*.pal|"
    "Microsoft Palette (*.pal)|*.pal|Photoshop Palette (*.act)|*.act|Bitmap Palette (*.bmp)|*.bmp|"
    "All Files (*.*)|*.*|GIMP Palette (*.gpl)|*.gpl");
// GIMP comes last in both lists, so the filter indices stored for the older
// kinds (2 = RIFF on Save) keep their meaning.
const QString frmPalette::SaveFilter = QStringLiteral(
    "Paint Shop Pro Palette (*.pal)|*.pal|Microsoft Palette (*.pal)|*.pal|"
    "Photoshop Palette (*.act)|*.act|GIMP Palette (*.gpl)|*.gpl");

frmPalette::frmPalette(AppContext &context, clsRegistry &registry, ColorSession &session,
                       HelpService &help, QWidget *parent)
    : QMainWindow(parent), m_ctx(context), m_reg(registry), m_session(session), m_help(help)
{
    setWindowTitle(QStringLiteral("Palette Tool"));
    const QPalette pal = palette();
    m_colours.face = pal.color(QPalette::Active, QPalette::Button).rgb();
    m_colours.text = pal.color(QPalette::Active, QPalette::ButtonText).rgb();
    m_colours.shadow = pal.color(QPalette::Active, QPalette::Dark).rgb();
    runFileDialog = [this](clsCommonFileDialog &dialog, bool save) {
        if (save)
            dialog.ShowSave(this);
        else
            dialog.ShowOpen(this);
        return !dialog.Canceled;
    };
    buildLayout();
    buildMenus();
    redraw();
}

frmPalette::~frmPalette() = default;

void frmPalette::buildLayout()
{
    auto *client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    auto *tableLabel = new QLabel(QStringLiteral("&Table:"), client);
    tableLabel->setGeometry(8, 8, 40, 20);
    m_cboTable = new QComboBox(client);
    m_cboTable->setGeometry(50, 6, 214, 24);
    m_cboTable->addItems({QStringLiteral("Custom"), QStringLiteral("Macintosh System"),
                          QStringLiteral("Web 125 (Unix)"), QStringLiteral("Web 216"),
                          QStringLiteral("Windows System")});
    tableLabel->setBuddy(m_cboTable);
    m_cboTable->setWhatsThis(QStringLiteral("Chooses the table: one of the built-in palettes, Custom for "
                                            "your own, or the palette file last opened or saved."));
    connect(m_cboTable, &QComboBox::activated, this, &frmPalette::cboTable_Click);

    m_table = new PaletteTableView(client);
    m_table->move(8, 36);
    m_table->setWhatsThis(QStringLiteral("The colour table. Click a cell to select it; Shift-click or "
                                         "drag to select a run of cells."));
    connect(m_table, &PaletteTableView::pressed, this, [this](Qt::MouseButton b, bool shift, QPoint p) {
        imgTable_MouseDown(b, shift ? 1 : 0, p.x(), p.y());
    });

    auto *selection = new QGroupBox(QStringLiteral("Selection"), client);
    selection->setGeometry(272, 30, 140, 140);
    m_lblIndex = new QLabel(QStringLiteral("Index: 0"), selection);
    m_lblIndex->setGeometry(8, 22, 128, 18);
    m_lblRGB = new QLabel(QStringLiteral("RGB: 0,0,0"), selection);
    m_lblRGB->setGeometry(8, 42, 128, 18);
    selection->setWhatsThis(QStringLiteral("The index and the red, green and blue values of the current "
                                           "cell."));
    m_cmdSetColor = new QPushButton(QStringLiteral("S&et Color"), selection);
    m_cmdSetColor->setGeometry(8, 68, 124, 26);
    m_cmdSetColor->setWhatsThis(QStringLiteral("Writes the main window's colour into the selected cells."));
    m_cmdSelectColor = new QPushButton(QStringLiteral("&Select Color"), selection);
    m_cmdSelectColor->setGeometry(8, 102, 124, 26);
    m_cmdSelectColor->setWhatsThis(QStringLiteral("Makes the current cell's colour the main window's colour."));
    connect(m_cmdSetColor, &QPushButton::clicked, this, &frmPalette::cmdSetColor_Click);
    connect(m_cmdSelectColor, &QPushButton::clicked, this, &frmPalette::cmdSelectColor_Click);

    m_cmdClose = new QPushButton(QStringLiteral("&Close"), client);
    m_cmdClose->setGeometry(272, 266, 140, 26);
    m_cmdClose->setWhatsThis(QStringLiteral("Hides the palette tool. The table stays as it is until the "
                                            "program ends."));
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

namespace {
void setMenuWhatsThis(QMenu *menu, const QString &text)
{
    menu->setWhatsThis(text);
    menu->menuAction()->setWhatsThis(text);
}
} // namespace

void frmPalette::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(file->addAction(QStringLiteral("&New")), &QAction::triggered, this, &frmPalette::mnuFileNew_Click);
    connect(file->addAction(QStringLiteral("&Open")), &QAction::triggered, this, &frmPalette::mnuFileOpen_Click);
    connect(file->addAction(QStringLiteral("&Save")), &QAction::triggered, this, &frmPalette::mnuFileSave_Click);
    connect(file->addAction(QStringLiteral("Save &As")), &QAction::triggered, this,
            &frmPalette::mnuFileSaveAs_Click);
    file->addSeparator();
    m_export = file->addAction(QStringLiteral("E&xport..."));
    connect(m_export, &QAction::triggered, this, &frmPalette::mnuFileExport_Click);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_copy = edit->addAction(QStringLiteral("&Copy"));
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_paste = edit->addAction(QStringLiteral("&Paste"));
    m_paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(m_copy, &QAction::triggered, this, &frmPalette::mnuEditCopy_Click);
    connect(m_paste, &QAction::triggered, this, &frmPalette::mnuEditPaste_Click);

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    m_autoSelect = options->addAction(QStringLiteral("Auto &Select"));
    m_autoSelect->setCheckable(true);
    m_autoIncrement = options->addAction(QStringLiteral("Auto &Increment"));
    m_autoIncrement->setCheckable(true);
    connect(m_autoSelect, &QAction::triggered, this, &frmPalette::mnuOptionsAutoSelect_Click);
    connect(m_autoIncrement, &QAction::triggered, this, &frmPalette::mnuOptionsAutoIncrement_Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(help->addAction(QStringLiteral("&Contents")), &QAction::triggered, this,
            [this] { m_help.showContents(); });
    connect(help->addAction(QStringLiteral("&What's This?")), &QAction::triggered, this,
            [] { QWhatsThis::enterWhatsThisMode(); });
    QAction *paletteHelp = help->addAction(QStringLiteral("Palette Tool &Help"));
    paletteHelp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(paletteHelp, &QAction::triggered, this,
            [this] { m_help.showTopic(kHelpTopicPalette); });

    // A menu's text stands for its items too: QMenu falls back to it for an
    // item of its own without one, in What's This mode and on Shift+F1.
    for (QMenu *menu : {file, edit, help})
        setMenuWhatsThis(menu, WhatsThisText(kHelpTopicMenus));
    setMenuWhatsThis(options, WhatsThisText(kHelpTopicOptions));

    // Delete works anywhere in the window, as the key handler of the window did.
    m_delete = new QAction(this);
    m_delete->setShortcut(QKeySequence(Qt::Key_Delete));
    addAction(m_delete);
    connect(m_delete, &QAction::triggered, this, &frmPalette::DeleteSelection);
}

// ------------------------------------------------------------ opening/closing

void frmPalette::Load()
{
    PaletteState &pal = m_ctx.Palette;
    pal.AutoSelect = modRegistry::GetFlag(m_reg, SettingId::AutoSelect);
    pal.AutoIncrement = modRegistry::GetFlag(m_reg, SettingId::AutoIncrement);
    m_autoSelect->setChecked(pal.AutoSelect);
    m_autoIncrement->setChecked(pal.AutoIncrement);

    adjustSize();
    QSize screenTwips(1280 * 15, 1024 * 15);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        screenTwips = screen->geometry().size() * 15;
    const auto position = modRegistry::RestoreWindowPosition(
        m_reg, modRegistry::StoredWindow::Palette, screenTwips, frameGeometry().size() * 15);
    PlaceFrameAt(this, QPoint(position.X / 15, position.Y / 15));

    const QString lastPalette = modRegistry::GetLastPalette(m_reg);
    if (NamesExistingFile(lastPalette))
        setFileItem(lastPalette);

    if (!pal.PalettePath.isEmpty()) {
        redraw();
        setCaption(NamesExistingFile(pal.PalettePath) ? PaletteFileName(pal.PalettePath) : QString());
    } else {
        const LastPathValue last = ParseLastPath(modRegistry::GetLastPath(m_reg));
        pal.PalettePath = last.path;
        if (NamesExistingFile(pal.PalettePath)) {
            const PaletteKind kind = PaletteKindForPath(pal.PalettePath);
            setFileItem(pal.PalettePath);
            setTableItem(kFileItem);
            if (readFile(pal.PalettePath, kind))
                setCaption(PaletteFileName(pal.PalettePath));
        } else {
            int item = last.tableIndex.value_or(3);
            if (item >= m_cboTable->count())
                item = 0;
            setTableItem(-1);
            cboTable_Click(item);
            setCaption(m_cboTable->currentIndex() == kFileItem ? PaletteFileName(pal.PalettePath)
                                                                : QString());
        }
        pal.PaletteSelectedColor = pal.PaletteColors[std::size_t(pal.PaletteIndex)];
        redraw();
    }
    ShowSelectionInfo();
}

void frmPalette::closeEvent(QCloseEvent *event)
{
    if (!isMinimized()) {
        const QPoint p = pos();
        modRegistry::SetWindowPosition(m_reg, modRegistry::StoredWindow::Palette, {p.x() * 15, p.y() * 15});
    }
    if (!m_ctx.Closing) {
        // Closing only hides: the table and the options stay for the next opening.
        event->ignore();
        hide();
        return;
    }
    event->accept();
}

void frmPalette::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_mnemonics)
        m_mnemonics = new MnemonicArbiter(this);
    else
        m_mnemonics->rescan();
}

void frmPalette::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        const QPalette pal = palette();
        m_colours = {pal.color(QPalette::Active, QPalette::Button).rgb(),
                     pal.color(QPalette::Active, QPalette::ButtonText).rgb(),
                     pal.color(QPalette::Active, QPalette::Dark).rgb()};
        redraw();
    }
    QMainWindow::changeEvent(event);
}

// ------------------------------------------------------------------ helpers

void frmPalette::redraw() { m_table->redraw(m_ctx.Palette, m_colours); }

void frmPalette::ShowSelectionInfo()
{
    const PaletteState &pal = m_ctx.Palette;
    const std::int32_t c = pal.PaletteColors[std::size_t(pal.PaletteIndex)];
    m_lblIndex->setText(QStringLiteral("Index: %1").arg(pal.PaletteIndex));
    m_lblRGB->setText(QStringLiteral("RGB: %1,%2,%3").arg(c & 0xFF).arg((c >> 8) & 0xFF).arg((c >> 16) & 0xFF));
}

void frmPalette::setCaption(const QString &fileName)
{
    setWindowTitle(fileName.isEmpty() ? kUntitled : QStringLiteral("Palette Tool - ") + fileName);
}

void frmPalette::storeLastPath()
{
    modRegistry::SetLastPath(m_reg, MakeLastPath(m_ctx.Palette.PalettePath, std::max(0, m_cboTable->currentIndex())));
}

void frmPalette::ResetToUntitled()
{
    m_ctx.Palette.PalettePath = PaletteDirectoryPart(m_ctx.Palette.PalettePath);
    storeLastPath();
    setCaption(QString());
}

void frmPalette::setTableItem(int item)
{
    m_cboTable->setCurrentIndex(item);
    m_previousItem = item;
}

void frmPalette::setFileItem(const QString &path)
{
    const QString name = PaletteFileName(path);
    if (m_cboTable->count() > kFileItem)
        m_cboTable->setItemText(kFileItem, name);
    else
        m_cboTable->addItem(name);
}

void frmPalette::tableEdited()
{
    const int item = m_cboTable->currentIndex();
    if (item != kFileItem && item != 0) {
        setTableItem(0);
        m_ctx.Palette.PalettePath = PaletteDirectoryPart(m_ctx.Palette.PalettePath);
        storeLastPath();
        setCaption(QString());
    }
}

bool frmPalette::offerToSave()
{
    if (!m_ctx.Palette.PaletteChanged)
        return true;
    const MsgResult answer = m_ctx.Messages->show(QStringLiteral("Palette Changed"),
                                                  QStringLiteral("Save current palette?"),
                                                  MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel)
        return false;
    if (answer == MsgResult::Yes && (!mnuFileSave_Click() || !NamesExistingFile(m_ctx.Palette.PalettePath)))
        return false; // not saved: keep the changes
    m_ctx.Palette.PaletteChanged = false;
    return true;
}

bool frmPalette::readFile(const QString &path, PaletteKind kind)
{
    PaletteState &pal = m_ctx.Palette;
    const PaletteReadResult result = ReadPaletteFile(path, kind, *m_ctx.Messages);
    pal.PaletteColors = result.colors;
    pal.PaletteChanged = false;
    pal.PaletteSelectedColor = pal.PaletteColors[std::size_t(pal.PaletteIndex)];
    if (!result.ok)
        ResetToUntitled();
    return result.ok;
}

// ------------------------------------------------------------------ the table

void frmPalette::imgTable_MouseDown(Qt::MouseButton, int shift, int x, int y)
{
    const int index = CellFromPoint(x, y);
    if (PaletteClick(m_ctx.Palette, index, shift == 1)) {
        ShowSelectionInfo();
        redraw();
    }
}

void frmPalette::selectEntry(int index)
{
    index = std::clamp(index, 0, 255);
    imgTable_MouseDown(Qt::LeftButton, 0, (index % 16) * 16 + 8, (index / 16) * 16 + 8);
}

void frmPalette::cmdSetColor_Click()
{
    const std::int32_t color = m_session.color();
    if (PaletteSetColor(m_ctx.Palette, color, m_ctx.Palette.AutoIncrement))
        tableEdited();
    redraw();
    ShowSelectionInfo();
}

void frmPalette::cmdSelectColor_Click()
{
    m_session.setColor(m_ctx.Palette.PaletteSelectedColor);
}

void frmPalette::DeleteSelection()
{
    if (PaletteDeleteSelection(m_ctx.Palette))
        tableEdited();
    redraw();
    ShowSelectionInfo();
}

void frmPalette::mnuEditCopy_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(PaletteCopyText(m_ctx.Palette));
}

void frmPalette::mnuEditPaste_Click()
{
    if (PalettePaste(m_ctx.Palette, QGuiApplication::clipboard()->text()))
        tableEdited();
    redraw();
    ShowSelectionInfo();
}

void frmPalette::cboTable_Click(int item)
{
    if (item == m_previousItem)
        return;
    PaletteState &pal = m_ctx.Palette;
    const int previous = m_previousItem;
    if (item >= 1 && item <= 4) {
        if (!offerToSave()) {
            setTableItem(previous);
            return;
        }
        pal.PaletteChanged = false;
        pal.PalettePath = PaletteDirectoryPart(pal.PalettePath);
        setTableItem(item);
        storeLastPath();
        const PaletteReadResult table = ReadPalette(LoadBuiltInTable(100 + item), PaletteKind::Act, *m_ctx.Messages);
        pal.PaletteColors = table.colors;
        pal.PaletteSelectedColor = pal.PaletteColors[std::size_t(pal.PaletteIndex)];
        setCaption(QString());
    } else if (item == kFileItem) {
        // Switching to the file replaces the table as a built-in one does, so
        // unsaved changes are offered for saving first.
        if (!offerToSave()) {
            setTableItem(previous);
            return;
        }
        pal.PalettePath = modRegistry::GetLastPalette(m_reg);
        setTableItem(item);
        storeLastPath();
        if (readFile(pal.PalettePath, PaletteKindForPath(pal.PalettePath)))
            setCaption(PaletteFileName(pal.PalettePath));
    } else {
        setTableItem(item);
        pal.PalettePath = PaletteDirectoryPart(pal.PalettePath);
        storeLastPath();
        setCaption(QString());
    }
    redraw();
    ShowSelectionInfo();
}

// ------------------------------------------------------------------ files

void frmPalette::mnuFileNew_Click()
{
    if (!offerToSave())
        return;
    PaletteState &pal = m_ctx.Palette;
    pal.PaletteChanged = false;
    pal.PalettePath = PaletteDirectoryPart(pal.PalettePath);
    pal.PaletteColors.fill(0);
    pal.PaletteSelectedColor = 0;
    setTableItem(0);
    storeLastPath();
    redraw();
    setCaption(QString());
    ShowSelectionInfo();
}

void frmPalette::mnuFileOpen_Click()
{
    // Opening replaces the table: unsaved changes are offered for saving.
    if (!offerToSave())
        return;
    clsCommonFileDialog &dlg = m_openDialog;
    dlg.DialogTitle = QStringLiteral("Open Palette");
    dlg.Filter = OpenFilter;
    dlg.flags = FileDialogFlags::FileMustExist | FileDialogFlags::HideReadOnly;
    dlg.InitDir = PaletteDirectoryPart(ParseLastPath(modRegistry::GetLastPath(m_reg)).path);
    dlg.FileName.clear();
    if (!runFileDialog(dlg, false))
        return;
    PaletteState &pal = m_ctx.Palette;
    pal.PalettePath = dlg.FileName;
    storeLastPath();
    setCaption(PaletteFileName(pal.PalettePath));
    if (const auto kind = PaletteKindForOpen(pal.PalettePath, dlg.FilterIndex))
        readFile(pal.PalettePath, *kind);
    modRegistry::SetLastPalette(m_reg, dlg.FileName);
    setFileItem(dlg.FileName);
    setTableItem(kFileItem);
    storeLastPath();
    redraw();
    ShowSelectionInfo();
}

bool frmPalette::mnuFileSave_Click()
{
    if (!NamesExistingFile(m_ctx.Palette.PalettePath))
        return mnuFileSaveAs_Click();
    return writeFile();
}

bool frmPalette::mnuFileSaveAs_Click()
{
    clsCommonFileDialog dlg;
    dlg.DialogTitle = QStringLiteral("Save Palette As");
    dlg.Filter = SaveFilter;
    dlg.FilterIndex = m_saveFilterIndex;
    dlg.flags = FileDialogFlags::OverwritePrompt | FileDialogFlags::PathMustExist | FileDialogFlags::HideReadOnly;
    dlg.InitDir = PaletteDirectoryPart(ParseLastPath(modRegistry::GetLastPath(m_reg)).path);
    if (!runFileDialog(dlg, true))
        return false;
    m_saveFilterIndex = dlg.FilterIndex;
    PaletteState &pal = m_ctx.Palette;
    pal.PalettePath = PaletteSaveAsPath(dlg.FileName, dlg.FilterIndex);
    storeLastPath();
    setCaption(PaletteFileName(pal.PalettePath));
    // Straight to the writing: the new name usually does not exist yet, and
    // Save would only come back here.
    return writeFile();
}

bool frmPalette::writeFile()
{
    PaletteState &pal = m_ctx.Palette;
    const PaletteWriteFormat format = PaletteWriteFormatForPath(pal.PalettePath, m_saveFilterIndex);
    if (!SavePalette(pal.PalettePath, pal.PaletteColors, format, *m_ctx.Messages))
        return false;
    modRegistry::SetLastPalette(m_reg, pal.PalettePath);
    setFileItem(pal.PalettePath);
    setTableItem(kFileItem);
    storeLastPath();
    pal.PaletteChanged = false;
    return true;
}

// Export writes a copy for other tools and leaves the table's own file, its
// name in the list and the changed flag alone.
bool frmPalette::mnuFileExport_Click()
{
    clsCommonFileDialog dlg;
    dlg.DialogTitle = QStringLiteral("Export Palette");
    dlg.Filter = QString::fromLatin1(PaletteExportFilter);
    dlg.FilterIndex = m_exportFilterIndex;
    dlg.flags = FileDialogFlags::OverwritePrompt | FileDialogFlags::PathMustExist | FileDialogFlags::HideReadOnly;
    dlg.InitDir = PaletteDirectoryPart(ParseLastPath(modRegistry::GetLastPath(m_reg)).path);
    if (!runFileDialog(dlg, true))
        return false;
    const PaletteExportFormat format = ExportFormatForFilter(dlg.FilterIndex).value_or(PaletteExportFormat::Css);
    m_exportFilterIndex = dlg.FilterIndex;

    const PaletteState &pal = m_ctx.Palette;
    // One cell selected exports the whole table: nobody exports one colour.
    PaletteSpan span{0, 255};
    if (pal.PaletteRangeCount > 0)
        span = SelectedSpan(pal);
    const std::span<const std::int32_t> colors(pal.PaletteColors.data() + span.first,
                                               std::size_t(span.last - span.first + 1));
    const QString path = ExportPath(dlg.FileName, format);
    if (const auto error = SavePaletteFile(path, ExportPalette(colors, format))) {
        m_ctx.Messages->show(QStringLiteral("Error"),
                             QStringLiteral("The palette could not be exported to \"%1\": %2").arg(path, *error),
                             MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    return true;
}

// ------------------------------------------------------------------ options

void frmPalette::mnuOptionsAutoSelect_Click()
{
    m_ctx.Palette.AutoSelect = m_autoSelect->isChecked();
    modRegistry::SetFlag(m_reg, SettingId::AutoSelect, m_ctx.Palette.AutoSelect);
}

void frmPalette::mnuOptionsAutoIncrement_Click()
{
    m_ctx.Palette.AutoIncrement = m_autoIncrement->isChecked();
    modRegistry::SetFlag(m_reg, SettingId::AutoIncrement, m_ctx.Palette.AutoIncrement);
}

} // namespace tintwell
