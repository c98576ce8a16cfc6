#include "platform/help.h"

#include "printers.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

// Every topic a window or menu of the program opens.
const int kTopics[] = {2, 7, 9, 10, 11, 12, 17, 18, 19, 20, 21, 1001, 1002, 1003, 1004, 1005};

QString pageText(const QUrl &url)
{
    QFile f(u':' + url.path());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(HelpPages, EveryTopicTheProgramOpensHasItsOwnPage)
{
    QSet<QString> titles;
    for (int topic : kTopics) {
        EXPECT_TRUE(HasHelpTopic(topic)) << topic;
        const QUrl url = HelpTopicUrl(topic);
        EXPECT_EQ(HelpTopicOf(url), topic);
        const QString text = pageText(url);
        const QRegularExpressionMatch title = QRegularExpression(QStringLiteral("<h1>(.*)</h1>")).match(text);
        ASSERT_TRUE(title.hasMatch()) << topic;
        EXPECT_FALSE(titles.contains(title.captured(1))) << "two topics share " << title.captured(1).toStdString();
        titles.insert(title.captured(1));
    }
    for (int missing : {0, -1, 3, 6001, 99999})
        EXPECT_EQ(HelpTopicUrl(missing), QUrl(QStringLiteral("qrc:/help/contents.html"))) << missing;
    EXPECT_EQ(HelpTopicOf(QUrl(QStringLiteral("qrc:/help/contents.html"))), 0);
    EXPECT_EQ(HelpTopicOf(QUrl(QStringLiteral("file:/help/topic-7.html"))), 0);
}

TEST(HelpPages, EveryLinkLeadsToAPageThatExists)
{
    const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    int links = 0;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")});
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = href.globalMatch(text); m.hasNext();) {
            const QString target = m.next().captured(1);
            ++links;
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target))
                << path.toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_GT(links, 20);
}

TEST(HelpPages, WhatsThisTextsOfTheMainWindow)
{
    for (int id = 6001; id <= 6012; ++id)
        EXPECT_GT(WhatsThisText(id).size(), 40) << id;
    EXPECT_NE(WhatsThisText(6011), WhatsThisText(6010));
    EXPECT_TRUE(WhatsThisText(6000).isEmpty());
    EXPECT_TRUE(WhatsThisText(6013).isEmpty());
    EXPECT_TRUE(WhatsThisText(-6001).isEmpty());
}

TEST(HelpWindowTest, CommandsOpenTheirPagesAndUnknownTopicsTheContents)
{
    HelpWindow help;
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Tintwell Help"));
    help.showHelp(HelpCommand::Context, 12);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.currentTopic(), 12);
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Advanced Formatting")));

    help.showHelp(HelpCommand::Contents, 12); // the number is ignored for contents
    EXPECT_EQ(help.currentTopic(), 0);
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Tintwell Help")));

    help.showTopic(21);
    EXPECT_EQ(help.currentTopic(), 21);
    help.showTopic(4242);
    EXPECT_EQ(help.currentTopic(), 0);

    // Links inside a page move between topics, and Back returns.
    help.browser()->setSource(QUrl(QStringLiteral("topic-9.html")));
    EXPECT_EQ(help.currentTopic(), 9);
    help.browser()->backward();
    EXPECT_EQ(help.currentTopic(), 0);
}
