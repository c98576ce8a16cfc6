#pragma once
// The palette tool: the 16 x 16 colour table, its selection, the built-in
// tables, text copy and paste, and palette files. The table and the options
// live in AppContext::Palette, so they outlive this window, which only hides
// when it is closed. The editing itself is in paletteedit.h and the files in
// palettefile.h; this class wires them to the controls.

#include "core/appcontext.h"
#include "palette/palettefile.h"
#include "platform/filedialog.h"

#include <QImage>
#include <QMainWindow>
#include <QRgb>
#include <cstdint>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace tintwell {

class clsRegistry;
class MnemonicArbiter;
class ColorSession;
class HelpService;

struct PaletteTableColours {
    QRgb face = qRgb(240, 240, 240);   // background and erased frames
    QRgb text = qRgb(0, 0, 0);         // cell borders and the current-cell frame
    QRgb shadow = qRgb(160, 160, 160); // run frames
};

// The whole table picture for the state: every cell square with its border,
// the run frames and the current-cell frame. 256 x 256 table pixels, drawn at
// the device pixel ratio `scale` (so 512 x 512 image pixels at 2).
void DrawPaletteTable(QImage &image, const PaletteState &palette, const PaletteTableColours &colours,
                      qreal scale = 1.0);

// imgTable: shows the table image and reports presses and drags in table
// pixels. It knows nothing of the table's meaning.
class PaletteTableView : public QWidget
{
    Q_OBJECT
public:
    explicit PaletteTableView(QWidget *parent = nullptr);
    void redraw(const PaletteState &palette, const PaletteTableColours &colours);
    const QImage &image() const { return m_image; }

signals:
    void pressed(Qt::MouseButton button, bool shift, QPoint tablePixel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    // What the image shows, to draw it again at another ratio.
    PaletteState m_palette;
    PaletteTableColours m_colours;
};

class frmPalette : public QMainWindow
{
    Q_OBJECT
public:
    // The session gives Set Color its colour and takes Select Color's.
    frmPalette(AppContext &context, clsRegistry &registry, ColorSession &session, HelpService &help,
               QWidget *parent = nullptr);
    ~frmPalette() override;

    // Opening the window: options, position, the table from the last run. Runs
    // once at start-up with the window hidden.
    void Load();

    // x and y in table pixels; shift 1 extends the run. Also how the main
    // window makes the table follow its colour (selectEntry).
    void imgTable_MouseDown(Qt::MouseButton button, int shift, int x, int y);
    void selectEntry(int index);

    void cmdSetColor_Click();
    void cmdSelectColor_Click();
    void DeleteSelection();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void cboTable_Click(int item);
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    // True when the table was written (or Save As did it); false when the
    // dialog was cancelled or the write failed.
    bool mnuFileSave_Click();
    bool mnuFileSaveAs_Click();
    // "E&xport...": the run, or the whole table when one cell is selected, as
    // CSS, JSON or hex text by the dialog's filter. True when written.
    bool mnuFileExport_Click();
    void mnuOptionsAutoSelect_Click();
    void mnuOptionsAutoIncrement_Click();

    // Runs the open or save dialog; tests answer it themselves. Returns false
    // when cancelled.
    std::function<bool(clsCommonFileDialog &dialog, bool save)> runFileDialog;

    // Controls, for tests.
    QComboBox *cboTable() const { return m_cboTable; }
    PaletteTableView *imgTable() const { return m_table; }
    QLabel *lblIndex() const { return m_lblIndex; }
    QLabel *lblRGB() const { return m_lblRGB; }
    QPushButton *cmdSetColor() const { return m_cmdSetColor; }
    QPushButton *cmdSelectColor() const { return m_cmdSelectColor; }
    QPushButton *cmdClose() const { return m_cmdClose; }
    QAction *mnuOptionsAutoSelect() const { return m_autoSelect; }
    QAction *mnuOptionsAutoIncrement() const { return m_autoIncrement; }
    QAction *mnuEditCopy() const { return m_copy; }
    QAction *mnuEditPaste() const { return m_paste; }
    QAction *deleteKey() const { return m_delete; }
    QAction *mnuFileExport() const { return m_export; }

    static constexpr int ClientWidth = 420;
    static constexpr int ClientHeight = 298;

    static const QString OpenFilter;
    static const QString SaveFilter;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void ShowSelectionInfo();
    void ResetToUntitled();
    void redraw();
    void storeLastPath();
    void setCaption(const QString &fileName);
    void setTableItem(int item);
    void setFileItem(const QString &path);
    // After an edit: a built-in table becomes "Custom"; a file keeps its item.
    void tableEdited();
    // The "Save current palette?" prompt; false when the caller must stop.
    bool offerToSave();
    // Reads a file into the table; false (and untitled) when it could not be read.
    bool readFile(const QString &path, PaletteKind kind);
    bool writeFile();

    AppContext &m_ctx;
    clsRegistry &m_reg;
    PaletteTableColours m_colours;
    clsCommonFileDialog m_openDialog;
    int m_saveFilterIndex = 1; // Save As's last filter: 2 writes ".pal" as RIFF
    int m_exportFilterIndex = 1;
    int m_previousItem = -1;
    ColorSession &m_session;
    HelpService &m_help;

    PaletteTableView *m_table = nullptr;
    QComboBox *m_cboTable = nullptr;
    QLabel *m_lblIndex = nullptr;
    QLabel *m_lblRGB = nullptr;
    QPushButton *m_cmdSetColor = nullptr;
    QPushButton *m_cmdSelectColor = nullptr;
    QPushButton *m_cmdClose = nullptr;
    QAction *m_autoSelect = nullptr;
    QAction *m_autoIncrement = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_delete = nullptr;
    MnemonicArbiter *m_mnemonics = nullptr;
    QAction *m_export = nullptr;
};

} // namespace tintwell
