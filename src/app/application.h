#pragma once
// The program as one object: it owns what is program-wide (context, settings
// store, help, messages, the colour session), creates every window and joins
// them. main() makes one and starts it; integration tests make their own.

#include "advanced/advancedhost.h"
#include "core/appcontext.h"
#include "core/colorsession.h"
#include "mainwindow/mainwindowpeers.h"
#include "platform/help.h"
#include "platform/messageboxes.h"
#include "platform/registry.h"
#include "scripting/editor/frmscript.h"
#include "scripting/host/scripthost.h"
#include "scripting/host/sessionaccess.h"

#include <QObject>
#include <QString>
#include <memory>

namespace tintwell {

class clsColorDialog;
class frmAdvanced;
class frmMain;
class frmPalette;

class Application : public QObject, private MainWindowPeers, private AdvancedHost, private ScriptEditorLink
{
    Q_OBJECT
public:
    struct Options {
        // Slot, header and footer files; empty: $XDG_DATA_HOME/Tintwell/.
        QString programFolder;
        // The settings file; empty: $XDG_CONFIG_HOME/Tintwell/settings.ini.
        QString settingsFile;
        // Where messages go; null: real message boxes.
        UserMessages *messages = nullptr;
    };

    explicit Application(const Options &options);
    ~Application() override;

    // The start-up sequence, then the main window on screen.
    void start();

    AppContext &context() { return m_ctx; }
    clsRegistry &registry() { return m_reg; }
    HelpService &help() { return m_help; }
    ColorSession &session() { return m_session; }
    frmMain &mainWindow() { return *m_main; }
    frmPalette &paletteTool() { return *m_palette; }
    frmAdvanced &advancedWindow() { return *m_advanced; }
    script::frmScript &scriptEditor() { return *m_editor; }
    script::ScriptHost &scriptHost() { return m_host; }

private:
    // MainWindowPeers, over the real windows.
    void loadPaletteTool() override;
    void showPaletteTool() override;
    bool savePalette() override;
    void showAdvanced() override;
    void showLicense(QWidget *parent) override;
    void showAbout(QWidget *parent) override;
    std::int32_t chooseColor(std::int32_t current, QWidget *parent) override;
    bool RunConverterScript(int type, const QString &text) override;

    // AdvancedHost, over the main window.
    int activeSchemeIndex() const override;
    void reloadScheme(int schemeIndex) override;
    void customSlotNamesChanged() override;
    void formatNamesChanged() override;

    // ScriptEditorLink, over the script editor.
    void SetCode(const QString &code) override;
    QString code() const override;
    bool isChanged() const override;
    void setChanged(bool changed) override;
    void showEditor() override;

    AppContext m_ctx;
    clsRegistry m_reg;
    HelpService m_help;
    QMessageBoxMessages m_boxes;
    ColorSession m_session;
    script::SessionColorAccess m_colorAccess;
    script::ScriptHost m_host;
    script::StandardEditorServices m_editorServices;
    std::unique_ptr<clsColorDialog> m_colorDialog;
    std::unique_ptr<frmPalette> m_palette;
    std::unique_ptr<script::frmScript> m_editor;
    std::unique_ptr<frmAdvanced> m_advanced;
    std::unique_ptr<frmMain> m_main;
};

} // namespace tintwell
