#include "scripting/editor/frmscript.h"

#include "core/schemefiles.h"
#include "platform/windowplacement.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "scripting/host/scripthost.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QWhatsThis>

namespace tintwell::script {

namespace {

constexpr int kTwips = 15;
constexpr int kMaxCodeLength = 65535;
constexpr int kDesignedWidth = 600;
constexpr int kDesignedHeight = 440;
constexpr int kDesignedSplitterTop = 280;
constexpr std::int32_t kImportFlags = 4100; // file must exist, hide read-only
constexpr std::int32_t kExportFlags = 2054; // ask before overwriting, hide read-only, path must exist

const char kScriptFilter[] = "Script Files (*.vbs, *.js)|*.vbs;*.js|All Files (*.*)|*.*";

// The panes keep paragraphs; scripts and the trace use CR LF.
QString toPane(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void setMenuWhatsThis(QMenu *menu, const QString &text)
{
    menu->setWhatsThis(text);
    menu->menuAction()->setWhatsThis(text);
}

} // namespace

// ------------------------------------------------------------- services

bool StandardEditorServices::runFileDialog(clsCommonFileDialog &dialog, bool save, QWidget *owner)
{
    if (save)
        dialog.ShowSave(owner);
    else
        dialog.ShowOpen(owner);
    return !dialog.Canceled;
}

void StandardEditorServices::showHelp(int command, int topic, QWidget *)
{
    m_help.showHelp(command, topic);
}

// ------------------------------------------------------------- window

frmScript::frmScript(AppContext &context, clsRegistry &registry, ScriptHost &host,
                     ScriptEditorServices &services, QWidget *parent)
    : QMainWindow(parent), m_ctx(context), m_reg(registry), m_host(host), m_services(services)
{
    setObjectName(QStringLiteral("frmScript"));
    setWindowTitle(QStringLiteral("Script Editor"));

    m_inner = new QWidget(this);
    setCentralWidget(m_inner);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    m_txtCode = new QPlainTextEdit(m_inner);
    m_txtCode->setObjectName(QStringLiteral("txtCode"));
    m_txtDebug = new QPlainTextEdit(m_inner);
    m_txtDebug->setObjectName(QStringLiteral("txtDebug"));
    m_txtDebug->setReadOnly(true);
    m_txtDebug->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    for (QPlainTextEdit *pane : {m_txtCode, m_txtDebug}) {
        pane->setFont(fixed);
        pane->setLineWrapMode(QPlainTextEdit::NoWrap);
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
        connect(pane, &QPlainTextEdit::selectionChanged, this, &frmScript::UpdateEditMenu);
        connect(pane, &QPlainTextEdit::cursorPositionChanged, this, &frmScript::UpdateEditMenu);
    }
    m_txtCode->setWhatsThis(QStringLiteral("The script. Its first line may name its language "
                                           "(VBScript or JScript); without one it runs as VBScript."));
    m_txtDebug->setWhatsThis(QStringLiteral("The debug pane: what Execute Script and tnPrint write."));
    connect(m_txtCode, &QPlainTextEdit::textChanged, this, [this] {
        if (m_settingCode)
            return;
        // The pane holds at most 65535 characters; what typing or pasting
        // adds beyond that is dropped at the caret.
        const int excess = m_txtCode->document()->characterCount() - 1 - kMaxCodeLength;
        if (excess > 0) {
            QTextCursor cursor = m_txtCode->textCursor();
            cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, std::min(excess, cursor.position()));
            cursor.removeSelectedText();
        }
        m_changed = true;
    });

    m_picSplitter = new QFrame(m_inner);
    m_picSplitter->setObjectName(QStringLiteral("picSplitter"));
    m_picSplitter->setAutoFillBackground(true);
    m_picSplitter->setCursor(Qt::SizeVerCursor);
    m_picSplitter->installEventFilter(this);
    setSplitterColour(false);
    m_inner->installEventFilter(this);

    buildMenus();
    resize(kDesignedWidth, kDesignedHeight + menuBar()->sizeHint().height());
    applyLayout(PanesAroundSplitter(innerSize(), kDesignedSplitterTop, false));
    m_host.attachDebugSink(this);
    load();
    UpdateEditMenu();
}

frmScript::~frmScript()
{
    m_host.detachDebugSink(this);
}

void frmScript::buildMenus()
{
    auto add = [this](QMenu *menu, const char *name, const char *caption, const QKeySequence &key = {}) {
        QAction *a = menu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connect(add(file, "mnuFileImportScript", "&Import Script"), &QAction::triggered, this,
            &frmScript::mnuFileImportScript_Click);
    connect(add(file, "mnuFileExportScript", "&Export Script"), &QAction::triggered, this,
            &frmScript::mnuFileExportScript_Click);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_undo = add(edit, "mnuEditUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit->addSeparator();
    m_cut = add(edit, "mnuEditCut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    m_copy = add(edit, "mnuEditCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    m_paste = add(edit, "mnuEditPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    m_delete = add(edit, "mnuEditDelete", "&Delete", QKeySequence(Qt::Key_Delete));
    edit->addSeparator();
    m_selectAll = add(edit, "mnuEditSelectAll", "Select &All", QKeySequence(Qt::CTRL | Qt::Key_A));
    m_cut->setEnabled(false);
    m_copy->setEnabled(false);
    // Undo, cut, paste and delete always act on the code pane; copy and
    // select all on the pane that last had the focus.
    connect(m_undo, &QAction::triggered, this, [this] { m_txtCode->undo(); UpdateEditMenu(); });
    connect(m_cut, &QAction::triggered, this, [this] { m_txtCode->cut(); UpdateEditMenu(); });
    connect(m_paste, &QAction::triggered, this, [this] { m_txtCode->paste(); UpdateEditMenu(); });
    connect(m_delete, &QAction::triggered, this, [this] {
        m_txtCode->textCursor().removeSelectedText();
        UpdateEditMenu();
    });
    connect(m_copy, &QAction::triggered, this, [this] {
        (m_activePane == 1 ? m_txtDebug : m_txtCode)->copy();
        UpdateEditMenu();
    });
    connect(m_selectAll, &QAction::triggered, this, [this] {
        (m_activePane == 1 ? m_txtDebug : m_txtCode)->selectAll();
        UpdateEditMenu();
    });

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    connect(add(options, "mnuOptionsClearDebug", "&Clear Debug Window"), &QAction::triggered, this,
            &frmScript::mnuOptionsClearDebug_Click);
    m_hideDebug = add(options, "mnuOptionsHideDebug", "&Hide Debug Window", QKeySequence(Qt::CTRL | Qt::Key_G));
    m_hideDebug->setCheckable(true);
    // The command decides from the state before the click, as the toggle reads it.
    connect(m_hideDebug, &QAction::triggered, this, [this](bool checked) {
        m_hideDebug->setChecked(!checked);
        mnuOptionsHideDebug_Click();
    });

    QMenu *run = menuBar()->addMenu(QStringLiteral("&Run"));
    run->setObjectName(QStringLiteral("mnuRun"));
    connect(add(run, "mnuRunExecuteScript", "&Execute Script", QKeySequence(Qt::Key_F5)), &QAction::triggered,
            this, &frmScript::mnuRunExecuteScript_Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuFileHelp"));
    connect(add(help, "mnuHelpContents", "&Contents"), &QAction::triggered, this,
            [this] { m_services.showHelp(HelpCommand::Contents, 0, this); });
    connect(add(help, "mnuHelpWhatsThis", "&What's This?"), &QAction::triggered, this,
            [] { QWhatsThis::enterWhatsThisMode(); });
    connect(add(help, "mnuHelpScriptEditor", "Script &Editor Help"), &QAction::triggered, this,
            [this] { m_services.showHelp(HelpCommand::Context, kHelpTopicEditor, this); });
    connect(add(help, "mnuHelpScriptingHelp", "Scripting &Help", QKeySequence(Qt::CTRL | Qt::Key_H)),
            &QAction::triggered, this,
            [this] { m_services.showHelp(HelpCommand::Context, kHelpTopicScripting, this); });

    for (QMenu *menu : {file, edit, options, run, help})
        setMenuWhatsThis(menu, WhatsThisText(kHelpTopicMenus));
}

QAction *frmScript::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void frmScript::load()
{
    QSize screenTwips(1280 * kTwips, 1024 * kTwips);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        screenTwips = screen->geometry().size() * kTwips;
    const auto position = modRegistry::RestoreWindowPosition(
        m_reg, modRegistry::StoredWindow::Script, screenTwips, frameGeometry().size() * kTwips);
    PlaceFrameAt(this, QPoint(position.X / kTwips, position.Y / kTwips));
    const auto stored = modRegistry::RestoreScriptSize(m_reg, size() * kTwips);
    resize(std::max(stored.X / kTwips, 1), std::max(stored.Y / kTwips, 1));
    m_normalBounds = QRect(pos(), this->size());
}

QSize frmScript::innerSize() const
{
    return m_inner->size();
}

int frmScript::splitterTop() const
{
    return m_picSplitter->y();
}

void frmScript::applyLayout(const PaneLayout &layout)
{
    m_txtCode->setGeometry(layout.code);
    if (!layout.splitter.isNull())
        m_picSplitter->setGeometry(layout.splitter);
    if (!layout.debug.isNull())
        m_txtDebug->setGeometry(layout.debug);
    m_picSplitter->setVisible(layout.splitterVisible);
    m_txtDebug->setVisible(layout.debugVisible);
}

void frmScript::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_activated)
        firstActivation();
}

void frmScript::firstActivation()
{
    if (modRegistry::GetSetting(m_reg, SettingId::ScriptMax) != 0)
        setWindowState(windowState() | Qt::WindowMaximized);
    const int h = innerSize().height();
    const int top = StoredSplitterTop(modRegistry::GetSetting(m_reg, SettingId::SplitterPos), h, splitterTop());
    applyLayout(PanesAroundSplitter(innerSize(), top, false));
    m_hideDebug->setChecked(!modRegistry::GetFlag(m_reg, SettingId::HideDebug));
    mnuOptionsHideDebug_Click();
    m_activated = true;
    resizeLayout();
}

void frmScript::resizeLayout()
{
    if (!m_activated)
        return;
    const QSize inner = innerSize();
    if (m_debugPaneHeight == 0)
        m_debugPaneHeight = inner.height() - splitterTop();
    applyLayout(ResizeLayout(inner, m_debugPaneHeight, m_hideDebug->isChecked()));
    recordNormalBounds();
}

void frmScript::recordNormalBounds()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        m_normalBounds = QRect(pos(), size());
}

void frmScript::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    recordNormalBounds();
}

void frmScript::setSplitterColour(bool dragging)
{
    QPalette p = m_picSplitter->palette();
    p.setColor(QPalette::Window, palette().color(dragging ? QPalette::Dark : QPalette::Button));
    m_picSplitter->setPalette(p);
}

bool frmScript::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_inner && event->type() == QEvent::Resize) {
        resizeLayout();
    } else if (watched == m_picSplitter) {
        auto *mouse = dynamic_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            setSplitterColour(true);
            m_dragging = true;
            m_grabOffset = int(mouse->position().y());
            return true;
        }
        if (event->type() == QEvent::MouseMove && m_dragging && (mouse->buttons() & Qt::LeftButton)) {
            const int h = innerSize().height();
            const int newTop = int(mouse->position().y()) - m_grabOffset + splitterTop();
            if (newTop != splitterTop()) {
                m_picSplitter->move(0, DraggedSplitterTop(newTop, h));
                m_debugPaneHeight = h - splitterTop();
            }
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease && m_dragging && mouse->button() == Qt::LeftButton) {
            m_dragging = false;
            setSplitterColour(false);
            applyLayout(PanesAroundSplitter(innerSize(), splitterTop(), m_hideDebug->isChecked()));
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == m_txtCode || watched == m_txtDebug) {
            m_activePane = watched == m_txtDebug ? 1 : 0;
            UpdateEditMenu();
        }
    } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
        // A click or key in a pane makes it the active one, also when it
        // already had the focus.
        if (watched == m_txtDebug || watched == m_txtDebug->viewport())
            m_activePane = 1;
        else if (watched == m_txtCode || watched == m_txtCode->viewport())
            m_activePane = 0;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmScript::UpdateEditMenu()
{
    const QPlainTextEdit *pane = m_activePane == 1 ? m_txtDebug : m_txtCode;
    const QTextCursor cursor = pane->textCursor();
    EditPaneState state;
    state.codePaneActive = m_activePane == 0;
    state.hasSelection = cursor.hasSelection();
    state.empty = pane->document()->isEmpty();
    state.caretAtEnd = cursor.position() >= pane->document()->characterCount() - 1;
    const EditMenuState m = tintwell::script::UpdateEditMenu(state);
    m_undo->setEnabled(m.undo);
    m_cut->setEnabled(m.cut);
    m_copy->setEnabled(m.copy);
    m_paste->setEnabled(m.paste);
    m_delete->setEnabled(m.del);
    m_selectAll->setEnabled(m.selectAll);
}

// ------------------------------------------------------------- code and trace

void frmScript::SetCode(const QString &code)
{
    m_settingCode = true;
    m_txtCode->setPlainText(toPane(code));
    m_settingCode = false;
    m_changed = false;
    UpdateEditMenu();
}

QString frmScript::code() const
{
    QString text = m_txtCode->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void frmScript::PrintDebug(const QString &data)
{
    QTextCursor cursor = m_txtDebug->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(toPane(data));
    m_txtDebug->setTextCursor(cursor);
    m_txtDebug->ensureCursorVisible();
}

bool frmScript::debugIsEmpty() const
{
    return m_txtDebug->document()->isEmpty();
}

bool frmScript::debugEndsWithLineBreak() const
{
    return m_txtDebug->toPlainText().endsWith(QLatin1Char('\n'));
}

void frmScript::mnuOptionsClearDebug_Click()
{
    m_txtDebug->clear();
    UpdateEditMenu();
}

void frmScript::mnuOptionsHideDebug_Click()
{
    if (m_hideDebug->isChecked()) {
        applyLayout(PanesAroundSplitter(innerSize(), splitterTop(), false));
        m_hideDebug->setChecked(false);
        modRegistry::SetSetting(m_reg, SettingId::HideDebug, 0);
    } else {
        applyLayout(PanesAroundSplitter(innerSize(), splitterTop(), true));
        m_hideDebug->setChecked(true);
        modRegistry::SetSetting(m_reg, SettingId::HideDebug, 1);
    }
}

void frmScript::mnuRunExecuteScript_Click()
{
    const QString text = code();
    m_ctx.Script.Echo = true;
    m_host.RunScript(text);
    m_ctx.Script.Echo = false;
}

// ------------------------------------------------------------- files

QString frmScript::initialFolder() const
{
    const QString stored = modRegistry::GetText(m_reg, SettingId::LastScriptPath);
    return stored.isEmpty() ? m_ctx.ProgramFolder : stored;
}

void frmScript::mnuFileImportScript_Click()
{
    if (!m_dialog)
        m_dialog = std::make_unique<clsCommonFileDialog>();
    clsCommonFileDialog &d = *m_dialog;
    d.DialogTitle = QStringLiteral("Import Script");
    d.Filter = QString::fromLatin1(kScriptFilter);
    d.flags = kImportFlags;
    d.InitDir = initialFolder();
    if (!m_services.runFileDialog(d, false, this))
        return;
    QFile file(d.FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_ctx.Messages->show(QStringLiteral("Error"),
                             QStringLiteral("Could not read %1: %2").arg(d.FileName, file.errorString()),
                             MsgIcon::Exclamation);
        return;
    }
    SetCode(FromWindows1252(file.readAll()));
    modRegistry::SetText(m_reg, SettingId::LastScriptPath, d.FileName);
}

void frmScript::mnuFileExportScript_Click()
{
    if (!m_dialog)
        m_dialog = std::make_unique<clsCommonFileDialog>();
    clsCommonFileDialog &d = *m_dialog;
    d.DialogTitle = QStringLiteral("Export Script");
    d.Filter = QString::fromLatin1(kScriptFilter);
    d.flags = kExportFlags;
    d.InitDir = initialFolder();
    if (!m_services.runFileDialog(d, true, this))
        return;
    const QString text = code();
    const QString target = ExportScriptFileName(d.FileName, text);
    // Written whole and renamed over the old file, so a longer old file
    // leaves nothing behind and a failed write leaves it as it was.
    QSaveFile file(target);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(ToWindows1252(text)) >= 0 && file.commit();
    if (!written) {
        m_ctx.Messages->show(QStringLiteral("Error"),
                             QStringLiteral("Could not write %1: %2").arg(target, file.errorString()),
                             MsgIcon::Exclamation);
        return;
    }
    modRegistry::SetText(m_reg, SettingId::LastScriptPath, d.FileName);
}

// ------------------------------------------------------------- closing

void frmScript::closeEvent(QCloseEvent *event)
{
    const bool maximized = isMaximized();
    const bool minimized = isMinimized();
    const QRect current(pos(), size());
    hide();
    emit saveScriptRequested();
    if (m_ctx.Closing)
        event->accept();
    else
        event->ignore(); // stays loaded, hidden, with its text and layout

    const QRect bounds = maximized ? m_normalBounds : current;
    if (!minimized) {
        modRegistry::SetWindowPosition(m_reg, modRegistry::StoredWindow::Script,
                                       {bounds.x() * kTwips, bounds.y() * kTwips});
    }
    modRegistry::SetSetting(m_reg, SettingId::ScriptMax, maximized ? 1 : 0);
    modRegistry::SetScriptSize(m_reg, {bounds.width() * kTwips, bounds.height() * kTwips});
    modRegistry::SetSetting(m_reg, SettingId::SplitterPos, splitterTop());
    m_dialog.reset();
}

} // namespace tintwell::script
