#include "advanced/frmadvanced.h"

#include "platform/windowplacement.h"
#include "platform/help.h"
#include "platform/mnemonics.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace tintwell {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kNoLimit = 32767; // QLineEdit's own default

} // namespace

const QString frmAdvanced::SchemeFilter =
    QStringLiteral("Tintwell Format Files (*.tnf)|*.tnf|All Files (*.*)|*.*");

frmAdvanced::frmAdvanced(AppContext &context, clsRegistry &registry, AdvancedHost &host,
                         ScriptEditorLink &editor, HelpService &help, QWidget *parent)
    : QMainWindow(parent), m_ctx(context), m_reg(registry), m_model(context, host, editor),
      m_help(help)
{
    setWindowTitle(QStringLiteral("Advanced"));
    buildMenus();
    buildLayout();
}

frmAdvanced::~frmAdvanced() = default;

void frmAdvanced::buildLayout()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    auto *outer = new QVBoxLayout(client);

    m_cboFormatGroup = new QComboBox(client);
    m_cboFormatGroup->setWhatsThis(QStringLiteral("The five custom scheme slots. Choose the one to edit."));
    connect(m_cboFormatGroup, &QComboBox::activated, this, &frmAdvanced::cboFormatGroup_Click);
    outer->addWidget(m_cboFormatGroup);

    m_frame = new QGroupBox(QStringLiteral("&Advanced Formatting Options"), client);
    auto *frameLayout = new QHBoxLayout(m_frame);
    m_tvwFormats = new QTreeWidget(m_frame);
    m_tvwFormats->setHeaderHidden(true);
    m_tvwFormats->setColumnCount(1);
    m_tvwFormats->setFixedWidth(190);
    m_tvwFormats->setWhatsThis(QStringLiteral("The scheme name and the formats of the scheme with "
                                              "their fields. Select one to edit it."));
    connect(m_tvwFormats, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) {
                if (m_rebuilding || !current)
                    return;
                m_model.selectNode(current->data(0, kKeyRole).toString());
                showNode();
            });
    // Enter (or a click) shows the selected node again.
    connect(m_tvwFormats, &QTreeWidget::activated, this, [this] { showNode(); });
    connect(m_tvwFormats, &QTreeWidget::itemClicked, this, [this] { showNode(); });
    frameLayout->addWidget(m_tvwFormats);

    auto *right = new QVBoxLayout;
    m_lblFormatInfo = new QLabel(m_frame);
    m_lblFormatInfo->setWordWrap(true);
    m_lblFormatInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblFormatInfo->setMinimumHeight(64);
    right->addWidget(m_lblFormatInfo);
    auto *rows = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(m_frame);
        auto *box = new QLineEdit(m_frame);
        label->setBuddy(box);
        box->installEventFilter(this);
        box->setWhatsThis(QStringLiteral("The value of the selected field. Enter, or leaving the "
                                         "box, takes it."));
        connect(box, &QLineEdit::returnPressed, this, [this, i] { commitBox(i); });
        rows->addWidget(label, i, 0);
        rows->addWidget(box, i, 1);
        m_lblInput[std::size_t(i)] = label;
        m_txtInput[std::size_t(i)] = box;
    }
    right->addLayout(rows);
    m_fraScripting = new QGroupBox(QStringLiteral("Custom Scripting"), m_frame);
    auto *scripting = new QVBoxLayout(m_fraScripting);
    m_cmdExportScript = new QPushButton(QStringLiteral("Export Formatting Script"), m_fraScripting);
    m_cmdConverterScript = new QPushButton(QStringLiteral("Format Converter Script"), m_fraScripting);
    m_cmdExportScript->setWhatsThis(QStringLiteral("Edits the script that writes this format's text."));
    m_cmdConverterScript->setWhatsThis(
        QStringLiteral("Edits the script that turns a typed value of this format into a colour."));
    connect(m_cmdExportScript, &QPushButton::clicked, this, &frmAdvanced::cmdExportScript_Click);
    connect(m_cmdConverterScript, &QPushButton::clicked, this, &frmAdvanced::cmdConverterScript_Click);
    scripting->addWidget(m_cmdExportScript);
    scripting->addWidget(m_cmdConverterScript);
    right->addWidget(m_fraScripting);
    right->addStretch(1);
    frameLayout->addLayout(right, 1);
    outer->addWidget(m_frame, 1);

    auto *buttons = new QHBoxLayout;
    m_cmdSave = new QPushButton(QStringLiteral("&Save"), client);
    m_cmdRevert = new QPushButton(QStringLiteral("&Revert"), client);
    m_cmdDelete = new QPushButton(QStringLiteral("&Delete"), client);
    m_cmdSave->setWhatsThis(QStringLiteral("Writes the scheme to its slot."));
    m_cmdRevert->setWhatsThis(QStringLiteral("Drops the changes and reads the slot again."));
    m_cmdDelete->setWhatsThis(QStringLiteral("Deletes the slot's file."));
    connect(m_cmdSave, &QPushButton::clicked, this, &frmAdvanced::cmdSave_Click);
    connect(m_cmdRevert, &QPushButton::clicked, this, &frmAdvanced::cmdRevert_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmAdvanced::cmdDelete_Click);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdRevert);
    buttons->addWidget(m_cmdDelete);
    outer->addLayout(buttons);

    client->setFixedSize(560, 330);
}

void frmAdvanced::buildMenus()
{
    m_mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    connect(m_mnuFile->addAction(QStringLiteral("&Import Scheme")), &QAction::triggered, this,
            &frmAdvanced::mnuFileImportScheme_Click);
    connect(m_mnuFile->addAction(QStringLiteral("&Export Scheme")), &QAction::triggered, this,
            &frmAdvanced::mnuFileExportScheme_Click);

    m_mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(m_mnuHelp->addAction(QStringLiteral("&Contents")), &QAction::triggered, this,
            [this] { m_help.showContents(); });
    connect(m_mnuHelp->addAction(QStringLiteral("&What's This?")), &QAction::triggered, this,
            [] { QWhatsThis::enterWhatsThisMode(); });
    QAction *advancedHelp = m_mnuHelp->addAction(QStringLiteral("Advanced &Help"));
    advancedHelp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(advancedHelp, &QAction::triggered, this,
            [this] { m_help.showTopic(kHelpTopicAdvanced); });
    connect(m_mnuHelp->addAction(QStringLiteral("Advanced Formatting &Tutorial")),
            &QAction::triggered, this, [this] { m_help.showTopic(kHelpTopicTutorial); });
    for (QMenu *menu : {m_mnuFile, m_mnuHelp}) {
        const QString text = WhatsThisText(kHelpTopicMenus);
        menu->setWhatsThis(text);
        menu->menuAction()->setWhatsThis(text);
        menu->installEventFilter(this); // F1 while it is open
    }
}

// ------------------------------------------------------------ opening/closing

void frmAdvanced::Load()
{
    m_loaded = true;
    m_handleListClick = false;
    adjustSize();
    QSize screenTwips(1280 * 15, 1024 * 15);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        screenTwips = screen->geometry().size() * 15;
    const auto position = modRegistry::RestoreWindowPosition(
        m_reg, modRegistry::StoredWindow::Advanced, screenTwips, frameGeometry().size() * 15);
    PlaceFrameAt(this, QPoint(position.X / 15, position.Y / 15));

    m_model.Load();
    m_cboFormatGroup->clear();
    for (const QString &entry : m_model.slotEntries())
        m_cboFormatGroup->addItem(entry);
    rebuildTree();
    if (QTreeWidgetItem *first = m_tvwFormats->topLevelItem(0))
        m_tvwFormats->setCurrentItem(first);
    showNode();
    refreshControls();
    m_handleListClick = true;
}

void frmAdvanced::Open()
{
    if (!m_loaded)
        Load();
    show();
    raise();
    activateWindow();
}

void frmAdvanced::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Where a label's letter is also a menu's ("S&hade Slider:" and "&Help"),
    // the menu opens on the first press and the box is reached by the next.
    if (!m_mnemonics)
        m_mnemonics = new MnemonicArbiter(this);
    else
        m_mnemonics->rescan();
    m_tvwFormats->setFocus(Qt::OtherFocusReason);
}

void frmAdvanced::closeEvent(QCloseEvent *event)
{
    commitVisibleBoxes();
    const bool mayClose = m_model.closeRequested();
    // A No dropped the edits, format names included.
    rebuildTree();
    showNode();
    refreshControls();
    if (!mayClose) {
        event->ignore();
        return;
    }
    hide();
    if (!isMinimized()) {
        const QPoint p = pos();
        modRegistry::SetWindowPosition(m_reg, modRegistry::StoredWindow::Advanced,
                                       {p.x() * 15, p.y() * 15});
    }
    if (!m_ctx.Closing) {
        // Only hidden: the slot being edited stays for the next opening.
        event->ignore();
        return;
    }
    event->accept();
}

bool frmAdvanced::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1
        && (watched == m_mnuFile || watched == m_mnuHelp)) {
        static_cast<QMenu *>(watched)->close();
        m_help.showTopic(kHelpTopicMenus);
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Another window or a menu taking the focus is no commit: the box
        // still has it when the user comes back.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (int i = 0; i < 4; ++i)
                if (watched == m_txtInput[std::size_t(i)])
                    commitBox(i);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------------ showing

QTreeWidgetItem *frmAdvanced::itemOf(const QString &key) const
{
    for (QTreeWidgetItemIterator it(m_tvwFormats); *it; ++it)
        if ((*it)->data(0, kKeyRole).toString() == key)
            return *it;
    return nullptr;
}

void frmAdvanced::rebuildTree()
{
    // Updates stay off while the tree is rebuilt, so the rebuild is never seen.
    m_rebuilding = true;
    m_tvwFormats->setUpdatesEnabled(false);
    QTreeWidgetItem *selected = m_tvwFormats->currentItem();
    const QString selectedKey = selected ? selected->data(0, kKeyRole).toString() : QString();
    QSet<QString> expanded;
    for (QTreeWidgetItemIterator it(m_tvwFormats); *it; ++it)
        if ((*it)->isExpanded())
            expanded.insert((*it)->data(0, kKeyRole).toString());

    m_tvwFormats->clear();
    for (const TreeNode &node : TreeNodes(m_model.scheme())) {
        QTreeWidgetItem *item = nullptr;
        if (node.parentKey.isEmpty())
            item = new QTreeWidgetItem(m_tvwFormats);
        else
            item = new QTreeWidgetItem(itemOf(node.parentKey));
        item->setText(0, node.text);
        item->setData(0, kKeyRole, node.key);
    }
    for (const QString &key : expanded)
        if (QTreeWidgetItem *item = itemOf(key))
            item->setExpanded(true);
    if (!selectedKey.isEmpty())
        if (QTreeWidgetItem *item = itemOf(selectedKey))
            m_tvwFormats->setCurrentItem(item);
    m_tvwFormats->setUpdatesEnabled(true);
    m_rebuilding = false;
}

void frmAdvanced::showNode()
{
    const NodeDisplay d = m_model.display();
    m_frame->setTitle(d.caption.isEmpty() ? QStringLiteral("&Advanced Formatting Options") : d.caption);
    m_lblFormatInfo->setText(d.info);
    for (int i = 0; i < 4; ++i) {
        const bool visible = i < d.labels.size();
        QLabel *label = m_lblInput[std::size_t(i)];
        QLineEdit *box = m_txtInput[std::size_t(i)];
        label->setVisible(visible);
        box->setVisible(visible);
        if (!visible) {
            label->clear(); // a hidden row keeps no letter
            continue;
        }
        label->setText(d.labels.at(i));
        box->setMaxLength(d.maxLength > 0 ? d.maxLength : kNoLimit);
        box->setText(d.values.at(i));
    }
    m_fraScripting->setVisible(d.scripting);
    // The rows' letters change with the node.
    if (m_mnemonics)
        m_mnemonics->rescan();
}

void frmAdvanced::refreshControls()
{
    const bool handle = m_handleListClick;
    m_handleListClick = false;
    const auto &entries = m_model.slotEntries();
    for (int i = 0; i < kCustomSlotCount && i < m_cboFormatGroup->count(); ++i)
        m_cboFormatGroup->setItemText(i, entries[std::size_t(i)]);
    m_cboFormatGroup->setCurrentIndex(m_model.CurrentSlot());
    m_handleListClick = handle;
    m_cmdRevert->setEnabled(m_model.revertEnabled());
    m_cmdDelete->setEnabled(m_model.deleteEnabled());
}

// ------------------------------------------------------------------ editing

void frmAdvanced::commitBox(int box)
{
    // A message box shown by a commit takes the focus from the box; that is
    // no second commit.
    if (m_committing)
        return;
    m_committing = true;
    QLineEdit *edit = m_txtInput[std::size_t(box)];
    const CommitResult result = m_model.commitBox(box, edit->text());
    if (result.outcome == CommitOutcome::Accepted || result.outcome == CommitOutcome::Refused) {
        if (edit->text() != result.text)
            edit->setText(result.text);
        if (result.treeChanged) {
            rebuildTree();
            showNode();
        }
        refreshControls();
    }
    m_committing = false;
}

void frmAdvanced::commitVisibleBoxes()
{
    for (int i = 0; i < 4; ++i)
        if (m_txtInput[std::size_t(i)]->isVisibleTo(this))
            commitBox(i);
}

void frmAdvanced::cboFormatGroup_Click(int index)
{
    if (!m_handleListClick)
        return;
    if (m_model.chooseSlot(index)) {
        rebuildTree();
        showNode();
    }
    refreshControls();
}

void frmAdvanced::cmdSave_Click()
{
    commitVisibleBoxes();
    m_model.Save();
    refreshControls();
}

void frmAdvanced::cmdRevert_Click()
{
    if (m_model.Revert())
        showNode();
    refreshControls();
}

void frmAdvanced::cmdDelete_Click()
{
    if (m_model.Delete())
        showNode();
    refreshControls();
}

void frmAdvanced::SaveScript()
{
    m_model.SaveScript();
    refreshControls();
}

void frmAdvanced::cmdExportScript_Click()
{
    m_model.openScript(false);
    refreshControls();
}

void frmAdvanced::cmdConverterScript_Click()
{
    m_model.openScript(true);
    refreshControls();
}

// --------------------------------------------------------------------- files

void frmAdvanced::mnuFileImportScheme_Click()
{
    // The message of a full set of slots comes before any dialog.
    const bool available = m_model.importAvailable();
    rebuildTree();
    showNode();
    refreshControls();
    if (!available)
        return;
    clsCommonFileDialog dialog;
    dialog.DialogTitle = QStringLiteral("Import Format Scheme");
    dialog.Filter = SchemeFilter;
    dialog.flags = FileDialogFlags::FileMustExist | FileDialogFlags::HideReadOnly; // 4100
    dialog.InitDir = m_ctx.ProgramFolder;
    if (!runFileDialog(dialog, false))
        return;
    if (m_model.Import(dialog.FileName)) {
        // The imported scheme brings its own format names.
        rebuildTree();
        showNode();
    }
    refreshControls();
}

void frmAdvanced::mnuFileExportScheme_Click()
{
    clsCommonFileDialog dialog;
    dialog.DialogTitle = QStringLiteral("Export Format Scheme");
    dialog.Filter = SchemeFilter;
    dialog.flags = FileDialogFlags::PathMustExist | FileDialogFlags::HideReadOnly
                   | FileDialogFlags::OverwritePrompt; // 2054
    dialog.InitDir = m_ctx.ProgramFolder;
    if (!runFileDialog(dialog, true))
        return;
    m_model.Export(dialog.FileName);
}

bool frmAdvanced::runFileDialog(clsCommonFileDialog &dialog, bool save)
{
    if (save)
        dialog.ShowSave(this);
    else
        dialog.ShowOpen(this);
    return !dialog.Canceled;
}

} // namespace tintwell
