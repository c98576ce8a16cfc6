#pragma once
// The advanced formatting window: edits the five user scheme slots. The rules
// and the files are in AdvancedModel; this class lays out the controls, turns
// their events into model calls and shows what the model holds.
//
// Modeless; closing only hides it until the program ends (AppContext::Closing).

#include "advanced/advancedmodel.h"
#include "platform/filedialog.h"

#include <QMainWindow>
#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tintwell {

class clsRegistry;
class HelpService;
class MnemonicArbiter;

class frmAdvanced : public QMainWindow
{
    Q_OBJECT
public:
    frmAdvanced(AppContext &context, clsRegistry &registry, AdvancedHost &host,
                ScriptEditorLink &editor, HelpService &help, QWidget *parent = nullptr);
    ~frmAdvanced() override;

    // Runs once, before the window is first shown: position, slot list,
    // slot 1, the tree with its first node selected.
    void Load();
    // What the main window's Advanced button does: Load on the first opening,
    // then show the window (modeless) and bring it to the front.
    void Open();

    // The script editor calls this when it hides: a changed script goes back
    // into the scheme being edited.
    void SaveScript();

    bool Changed() const { return m_model.Changed(); }
    int CurrentScript() const { return m_model.CurrentScript(); }
    const AdvancedModel &model() const { return m_model; }

    void cmdSave_Click();
    void cmdRevert_Click();
    void cmdDelete_Click();
    void cmdExportScript_Click();
    void cmdConverterScript_Click();
    void mnuFileImportScheme_Click();
    void mnuFileExportScheme_Click();
    void cboFormatGroup_Click(int index);

    // Controls, for tests.
    QComboBox *cboFormatGroup() const { return m_cboFormatGroup; }
    QTreeWidget *tvwFormats() const { return m_tvwFormats; }
    QGroupBox *Frame1() const { return m_frame; }
    QLabel *lblFormatInfo() const { return m_lblFormatInfo; }
    QLabel *lblInput(int i) const { return m_lblInput[std::size_t(i)]; }
    QLineEdit *txtInput(int i) const { return m_txtInput[std::size_t(i)]; }
    QGroupBox *fraScripting() const { return m_fraScripting; }
    QPushButton *cmdExportScript() const { return m_cmdExportScript; }
    QPushButton *cmdConverterScript() const { return m_cmdConverterScript; }
    QPushButton *cmdSave() const { return m_cmdSave; }
    QPushButton *cmdRevert() const { return m_cmdRevert; }
    QPushButton *cmdDelete() const { return m_cmdDelete; }
    QMenu *mnuFile() const { return m_mnuFile; }
    QMenu *mnuHelp() const { return m_mnuHelp; }

    static const QString SchemeFilter;
    static constexpr int kHelpTopicAdvanced = 12;
    static constexpr int kHelpTopicTutorial = 19;
    static constexpr int kHelpTopicMenus = 1003;

protected:
    // The open or save dialog; false when cancelled. Tests answer it themselves.
    virtual bool runFileDialog(clsCommonFileDialog &dialog, bool save);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void rebuildTree();
    void showNode();
    void refreshControls();
    void commitBox(int box);
    void commitVisibleBoxes();
    QTreeWidgetItem *itemOf(const QString &key) const;

    AppContext &m_ctx;
    clsRegistry &m_reg;
    AdvancedModel m_model;
    HelpService &m_help;
    bool m_loaded = false;
    bool m_handleListClick = false;
    bool m_rebuilding = false;
    bool m_committing = false;

    QComboBox *m_cboFormatGroup = nullptr;
    QGroupBox *m_frame = nullptr;
    QTreeWidget *m_tvwFormats = nullptr;
    QLabel *m_lblFormatInfo = nullptr;
    std::array<QLabel *, 4> m_lblInput{};
    std::array<QLineEdit *, 4> m_txtInput{};
    QGroupBox *m_fraScripting = nullptr;
    QPushButton *m_cmdExportScript = nullptr;
    QPushButton *m_cmdConverterScript = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdRevert = nullptr;
    QPushButton *m_cmdDelete = nullptr;
    QMenu *m_mnuFile = nullptr;
    QMenu *m_mnuHelp = nullptr;
    MnemonicArbiter *m_mnemonics = nullptr;
};

} // namespace tintwell
