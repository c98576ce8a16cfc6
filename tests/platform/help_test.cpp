#include "platform/help.h"
#include "platform/messageboxes.h"

#include "dialogtest.h"
#include "printers.h"

#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

using namespace tintwell;

TEST(HelpPages, EveryTopicTheProgramOpensHasItsOwnPageAndEveryLinkLeadsToOne)
{
    const auto pageText = [](const QString &path) { QFile f(path); return f.open(QFile::ReadOnly) ? f.readAll() : ""; };
    QSet<QString> titles;
    for (int topic : {2, 7, 9, 10, 11, 12, 17, 18, 19, 20, 21, 1001, 1002, 1003, 1004, 1005, 0}) {
        const auto title = QRegularExpression("<h1>(.*)</h1>").match(pageText(u':' + HelpTopicUrl(topic).path()));
        EXPECT_TRUE(title.hasMatch() && !titles.contains(title.captured(1))) << topic << " has no page of its own";
        titles.insert(title.captured(1));
    }
    EXPECT_EQ(HelpTopicUrl(3), QUrl("qrc:/help/contents.html"));
    int links = 0;
    for (QDirIterator it(":/help", {"*.html"}); it.hasNext();) {
        const QString path = it.next();
        for (auto m = QRegularExpression("href=\"([^\"]+)\"").globalMatch(pageText(path)); m.hasNext(); ++links) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(":/help/" + target)) << path.toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_GT(links, 20);
}

// The real message boxes: a Help button opens its topic and leaves the message up,
// and a box closed without a button answers what the recording stand-in answers.
TEST(MessageBoxes, HelpOpensTheTopicAndTheMessageStaysUntilOk)
{
    HelpService help;
    QMessageBoxMessages messages(help);
    QStringList shown;
    // First showing: press Help. The box comes back at once: press OK.
    test::whenModalShows<QMessageBox>([&](QMessageBox &box) {
        shown << box.windowTitle() << box.text() << (box.icon() == QMessageBox::Warning ? "warning" : "other");
        box.button(QMessageBox::Help)->click();
        test::whenModalShows<QMessageBox>([&](QMessageBox &again) {
            shown << (help.hasWindow() && help.window()->isVisible() ? "help shown" : "no help");
            again.button(QMessageBox::Ok)->click();
        });
    });
    EXPECT_EQ(messages.show("Conversion Error", "Invalid conversion value.", MsgIcon::Exclamation,
                            MsgButtons::OkHelp, 9), MsgResult::Ok);
    EXPECT_EQ(shown, QStringList({"Conversion Error", "Invalid conversion value.", "warning", "help shown"}));
    ASSERT_TRUE(help.hasWindow());
    EXPECT_EQ(help.window()->currentTopic(), 9);
}

TEST(MessageBoxes, EachButtonAnswersItselfAndEscapeWhatTheStandInAnswers)
{
    HelpService help;
    QMessageBoxMessages messages(help);
    const std::pair<QMessageBox::StandardButton, MsgResult> cases[] = {
        {QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}, {QMessageBox::Cancel, MsgResult::Cancel}};
    for (const auto &[button, result] : cases) {
        test::whenModalShows<QMessageBox>([button = button](QMessageBox &box) { box.button(button)->click(); });
        EXPECT_EQ(messages.show("Palette Changed", "Save current palette?", MsgIcon::Question, MsgButtons::YesNoCancel),
                  result);
    }
    RecordingMessages standIn; // its queue is empty: it answers as a box closed without a button
    for (MsgButtons buttons : {MsgButtons::OkCancel, MsgButtons::YesNo, MsgButtons::YesNoCancel}) {
        test::whenModalShows<QMessageBox>([](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); });
        EXPECT_EQ(messages.show("t", "x", MsgIcon::Question, buttons),
                  standIn.show("t", "x", MsgIcon::Question, buttons)) << int(buttons);
    }
    EXPECT_FALSE(help.hasWindow()) << "no help without a Help button";
}
