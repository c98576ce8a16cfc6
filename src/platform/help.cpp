#include "platform/help.h"

#include <QFile>
#include <QPushButton>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

// Q_INIT_RESOURCE declares a function in the global namespace, and the library is
// static: without the call the linker may drop the compiled pages.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace tintwell {

namespace {

void ensureResources()
{
    static const bool done = (initHelpResources(), true);
    Q_UNUSED(done);
}

QString topicPath(int topic)
{
    return QStringLiteral(":/help/topic-%1.html").arg(topic);
}

const QUrl &contentsUrl()
{
    static const QUrl url(QStringLiteral("qrc:/help/contents.html"));
    return url;
}

} // namespace

bool HasHelpTopic(int topic)
{
    ensureResources();
    return topic > 0 && QFile::exists(topicPath(topic));
}

QUrl HelpTopicUrl(int topic)
{
    if (!HasHelpTopic(topic))
        return contentsUrl();
    return QUrl(QStringLiteral("qrc:/help/topic-%1.html").arg(topic));
}

int HelpTopicOf(const QUrl &url)
{
    static const QRegularExpression page(QStringLiteral("^/help/topic-([1-9][0-9]{0,8})\\.html$"));
    // Pages link to each other by bare file name.
    const QUrl full = url.isRelative() ? contentsUrl().resolved(url) : url;
    if (full.scheme() != QStringLiteral("qrc"))
        return 0;
    const QRegularExpressionMatch m = page.match(full.path());
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString WhatsThisText(int contextId)
{
    ensureResources();
    QFile file(QStringLiteral(":/help/whatsthis-%1.html").arg(contextId));
    if (contextId <= 0 || !file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    ensureResources();
    setWindowTitle(QStringLiteral("Tintwell Help"));
    m_browser->setOpenLinks(true);
    // Links to the outside world leave the help window for the desktop's browser.
    m_browser->setOpenExternalLinks(true);

    auto *contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto *back = new QPushButton(QStringLiteral("&Back"), this);
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(560, 480);
    m_browser->setSource(contentsUrl());
}

void HelpWindow::showHelp(int command, int topic)
{
    if (command == HelpCommand::Context)
        showTopic(topic);
    else
        showContents();
}

void HelpWindow::showContents()
{
    open(contentsUrl());
}

void HelpWindow::showTopic(int topic)
{
    open(HelpTopicUrl(topic));
}

int HelpWindow::currentTopic() const
{
    return HelpTopicOf(m_browser->source());
}

void HelpWindow::open(const QUrl &url)
{
    if (m_browser->source() != url)
        m_browser->setSource(url);
    show();
    raise();
    activateWindow();
}

HelpService::~HelpService()
{
    delete m_window;
}

HelpWindow *HelpService::window()
{
    if (!m_window) {
        // A window of its own, so it stays open beside the program.
        m_window = new HelpWindow(nullptr);
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return m_window;
}

void HelpService::showHelp(int command, int topic)
{
    window()->showHelp(command, topic);
}

} // namespace tintwell
