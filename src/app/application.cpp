#include "app/application.h"

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
{
    m_ctx.ProgramFolder = withSlash(options.programFolder.isEmpty() ? defaultProgramFolder()
                                                                    : options.programFolder);
    QDir().mkpath(m_ctx.ProgramFolder);
    m_ctx.Messages = options.messages ? options.messages : &m_boxes;

    m_palette = std::make_unique<frmPalette>(m_ctx, m_reg, m_session, m_help);
    MainWindowPeers &peers = *this;
    m_main = std::make_unique<frmMain>(m_ctx, m_reg, m_session, m_help, peers);
    m_boxes.setFallbackParent(m_main.get());
    // Auto Select: the palette tool follows the colour.
    connect(&m_session, &ColorSession::paletteEntryChosen, m_palette.get(), &frmPalette::selectEntry);
}

Application::~Application()
{
    // Windows first: they hold references to everything below them.
    m_main.reset();
    m_palette.reset();
    m_ctx.Messages = &m_ctx.OwnMessages;
}

void Application::start()
{
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

void Application::showAdvanced()
{
    // The advanced formatting window comes with its own library; until then
    // the button opens nothing.
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
