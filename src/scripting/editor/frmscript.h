#pragma once
// The script editor: a code pane, a debug pane below a draggable splitter,
// Execute Script through the script host's first engine, import and export of
// script files. Closing only hides it (until the program shuts down) and asks
// the advanced window to take the code back through saveScriptRequested.

#include "core/appcontext.h"
#include "platform/filedialog.h"
#include "scripting/editor/editorrules.h"
#include "scripting/host/hostinterfaces.h"

#include <QMainWindow>
#include <QRect>

class QAction;
class QFrame;
class QPlainTextEdit;

namespace tintwell {
class clsRegistry;
class HelpService;
} // namespace tintwell

namespace tintwell::script {

class ScriptHost;

// The editor's ways out of itself: file dialogs and help. The program passes
// StandardEditorServices; tests answer the dialogs themselves.
class ScriptEditorServices
{
public:
    virtual ~ScriptEditorServices() = default;
    // Shows the open (save false) or save dialog; false when cancelled.
    virtual bool runFileDialog(clsCommonFileDialog &dialog, bool save, QWidget *owner) = 0;
    // HelpCommand::Contents, or HelpCommand::Context with a topic.
    virtual void showHelp(int command, int topic, QWidget *owner) = 0;
};

// The real dialogs and the program's one help service.
class StandardEditorServices : public ScriptEditorServices
{
public:
    explicit StandardEditorServices(HelpService &help) : m_help(help) {}
    bool runFileDialog(clsCommonFileDialog &dialog, bool save, QWidget *owner) override;
    void showHelp(int command, int topic, QWidget *owner) override;

private:
    HelpService &m_help;
};

class frmScript : public QMainWindow, public DebugSink
{
    Q_OBJECT
public:
    static constexpr int kHelpTopicEditor = 20;
    static constexpr int kHelpTopicScripting = 21;
    static constexpr int kHelpTopicMenus = 1005;

    frmScript(AppContext &context, clsRegistry &registry, ScriptHost &host,
              ScriptEditorServices &services, QWidget *parent = nullptr);
    ~frmScript() override;

    // Puts code into the code pane; Changed becomes false.
    void SetCode(const QString &code);
    QString code() const;
    // True after the user edited the code; the advanced window clears it when
    // it takes the code.
    bool Changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

    // DebugSink: the debug pane.
    void PrintDebug(const QString &data) override;
    bool debugIsEmpty() const override;
    bool debugEndsWithLineBreak() const override;

    // Menu commands.
    void mnuFileImportScript_Click();
    void mnuFileExportScript_Click();
    void mnuOptionsClearDebug_Click();
    void mnuOptionsHideDebug_Click();
    void mnuRunExecuteScript_Click();
    void UpdateEditMenu();

    QPlainTextEdit *txtCode() const { return m_txtCode; }
    QPlainTextEdit *txtDebug() const { return m_txtDebug; }
    QFrame *picSplitter() const { return m_picSplitter; }
    int splitterTop() const;
    int debugPaneHeight() const { return m_debugPaneHeight; }
    int activePane() const { return m_activePane; }
    QRect normalBounds() const { return m_normalBounds; }
    QAction *action(const QString &objectName) const;

signals:
    // The window has been closed (hidden): the advanced window's SaveScript.
    void saveScriptRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void load();
    void firstActivation();
    void resizeLayout();
    void applyLayout(const PaneLayout &layout);
    QSize innerSize() const;
    QString initialFolder() const;
    void recordNormalBounds();
    void setSplitterColour(bool dragging);

    AppContext &m_ctx;
    clsRegistry &m_reg;
    ScriptHost &m_host;
    ScriptEditorServices &m_services;

    QWidget *m_inner = nullptr;
    QPlainTextEdit *m_txtCode = nullptr;
    QPlainTextEdit *m_txtDebug = nullptr;
    QFrame *m_picSplitter = nullptr;
    QAction *m_undo = nullptr, *m_cut = nullptr, *m_copy = nullptr, *m_paste = nullptr,
            *m_delete = nullptr, *m_selectAll = nullptr, *m_hideDebug = nullptr;

    bool m_changed = false;
    bool m_settingCode = false;
    bool m_activated = false;
    int m_activePane = 0;
    int m_debugPaneHeight = 0;
    QRect m_normalBounds;
    bool m_dragging = false;
    int m_grabOffset = 0;
    std::unique_ptr<clsCommonFileDialog> m_dialog;
};

} // namespace tintwell::script
