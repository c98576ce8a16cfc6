#include "platform/help.h"

#include "printers.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

QString pageText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(HelpPages, EveryTopicTheProgramOpensHasItsOwnPageAndEveryLinkLeadsToOne)
{
    QSet<QString> titles;
    for (int topic : {2, 7, 9, 10, 11, 12, 17, 18, 19, 20, 21, 1001, 1002, 1003, 1004, 1005}) {
        const QUrl url = HelpTopicUrl(topic);
        EXPECT_EQ(HelpTopicOf(url), topic);
        const auto title = QRegularExpression(QStringLiteral("<h1>(.*)</h1>")).match(pageText(u':' + url.path()));
        ASSERT_TRUE(title.hasMatch()) << topic;
        EXPECT_FALSE(titles.contains(title.captured(1))) << "two topics share " << title.captured(1).toStdString();
        titles.insert(title.captured(1));
    }
    for (int missing : {0, 3, 6001})
        EXPECT_EQ(HelpTopicUrl(missing), QUrl(QStringLiteral("qrc:/help/contents.html"))) << missing;

    int links = 0;
    for (QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}); it.hasNext();) {
        const QString path = it.next();
        const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (auto m = href.globalMatch(pageText(path)); m.hasNext(); ++links) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target)) << path.toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_GT(links, 20);
}

TEST(HelpWindowTest, CommandsOpenTheirPagesAndUnknownTopicsTheContents)
{
    HelpWindow help;
    help.showHelp(HelpCommand::Context, 12);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.currentTopic(), 12);
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Advanced Formatting")));
    help.showHelp(HelpCommand::Contents, 12); // the number is ignored for contents
    EXPECT_EQ(help.currentTopic(), 0);
    help.showTopic(4242);
    EXPECT_EQ(help.currentTopic(), 0);
    // Links inside a page move between topics, and Back returns.
    help.browser()->setSource(QUrl(QStringLiteral("topic-9.html")));
    EXPECT_EQ(help.currentTopic(), 9);
    help.browser()->backward();
    EXPECT_EQ(help.currentTopic(), 0);
}
