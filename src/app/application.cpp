#include "app/application.h"

#include "advanced/frmadvanced.h"
#include "mainwindow/frmabout.h"
#include "mainwindow/frmlicense.h"
#include "mainwindow/frmmain.h"
#include "palette/frmpalette.h"
#include "platform/colordialog.h"

#include <QDir>
#include <QStandardPaths>

namespace tintwell {

namespace {

QString defaultProgramFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tintwell/");
}

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

Application::Application(const Options &options)
    : m_reg(options.settingsFile)
    , m_boxes(m_help)
    , m_session(m_ctx)
    , m_colorAccess(m_session)
    , m_host(m_ctx, m_colorAccess)
    , m_editorServices(m_help)
{
    m_ctx.ProgramFolder = withSlash(options.programFolder.isEmpty() ? defaultProgramFolder()
                                                                    : options.programFolder);
    QDir().mkpath(m_ctx.ProgramFolder);
    m_ctx.Messages = options.messages ? options.messages : &m_boxes;

    m_palette = std::make_unique<frmPalette>(m_ctx, m_reg, m_session, m_help);
    m_editor = std::make_unique<script::frmScript>(m_ctx, m_reg, m_host, m_editorServices);
    AdvancedHost &advancedHost = *this;
    ScriptEditorLink &editorLink = *this;
    m_advanced = std::make_unique<frmAdvanced>(m_ctx, m_reg, advancedHost, editorLink, m_help);
    MainWindowPeers &peers = *this;
    m_main = std::make_unique<frmMain>(m_ctx, m_reg, m_session, m_help, peers);
    m_boxes.setFallbackParent(m_main.get());

    // Auto Select: the palette tool follows the colour.
    connect(&m_session, &ColorSession::paletteEntryChosen, m_palette.get(), &frmPalette::selectEntry);
    // Export scripts run on the second engine; one stopped for running too
    // long runs again once its scheme is loaded again.
    m_session.setExportScriptRunner(m_host.exportRunner());
    connect(&m_session, &ColorSession::schemeLoaded, this, [this] { m_host.forgetStoppedExportScripts(); });
    // The editor hands an edited script back to the advanced window as it hides.
    connect(m_editor.get(), &script::frmScript::saveScriptRequested, m_advanced.get(), &frmAdvanced::SaveScript);
    m_host.setMsgBoxHandler([this](const QString &prompt, int, const QString &title) {
        m_ctx.Messages->show(title.isEmpty() ? QStringLiteral("Tintwell") : title, prompt, MsgIcon::None);
        return 1;
    });
}

Application::~Application()
{
    // Windows first: they hold references to everything below them.
    m_ctx.Closing = true;
    m_main.reset();
    m_advanced.reset();
    m_editor.reset();
    m_palette.reset();
    m_host.script().Reset();
    m_host.script2().Reset();
    m_ctx.Messages = &m_ctx.OwnMessages;
}

void Application::start()
{
    // Script header and footer files are read once, before the first colour.
    m_ctx.loadScriptFrames();
    m_main->Load();
    m_main->show();
}

void Application::loadPaletteTool()
{
    m_palette->Load();
}

void Application::showPaletteTool()
{
    m_palette->show();
    m_palette->raise();
    m_palette->activateWindow();
}

bool Application::savePalette()
{
    return m_palette->mnuFileSave_Click();
}

bool Application::RunConverterScript(int type, const QString &text)
{
    // Item 7, Octal, belongs to no scheme format and has no script.
    if (type < 0 || type >= kBoxCount)
        return false;
    m_colorAccess.setConverterText(text);
    return m_host.RunConverterScript(type);
}

void Application::showAdvanced()
{
    m_advanced->Open();
}

int Application::activeSchemeIndex() const
{
    return m_ctx.SchemeIndex;
}

void Application::reloadScheme(int schemeIndex)
{
    m_main->reloadScheme(schemeIndex);
}

void Application::customSlotNamesChanged()
{
    m_main->SetCustomFormatMenuNames();
}

void Application::formatNamesChanged()
{
    m_main->SetFormatNames();
}

void Application::SetCode(const QString &code)
{
    m_editor->SetCode(code);
}

QString Application::code() const
{
    return m_editor->code();
}

bool Application::isChanged() const
{
    return m_editor->Changed();
}

void Application::setChanged(bool changed)
{
    m_editor->setChanged(changed);
}

void Application::showEditor()
{
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
}

void Application::showLicense(QWidget *parent)
{
    frmLicense terms(parent);
    terms.exec();
}

void Application::showAbout(QWidget *parent)
{
    frmAbout about(parent);
    about.exec();
}

std::int32_t Application::chooseColor(std::int32_t current, QWidget *parent)
{
    if (!m_colorDialog)
        m_colorDialog = std::make_unique<clsColorDialog>();
    return ChooseColor(*m_colorDialog, m_reg, current, parent);
}

} // namespace tintwell
