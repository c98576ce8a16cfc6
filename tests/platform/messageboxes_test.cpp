// The real message boxes: a Help button opens its topic and leaves the
// message up, and a box closed without a button answers what the recording
// stand-in of the other tests answers.
#include "dialogtest.h"
#include "platform/help.h"
#include "platform/messageboxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

TEST(MessageBoxes, HelpOpensTheTopicAndTheMessageStaysUntilOk)
{
    HelpService help;
    QMessageBoxMessages messages(help);
    int shownTimes = 0;
    QStringList shown;
    // First showing: press Help. The box comes back at once: press OK.
    test::whenModalShows<QMessageBox>([&](QMessageBox &box) {
        ++shownTimes;
        shown = {box.windowTitle(), box.text(), box.icon() == QMessageBox::Warning ? "warning" : "other"};
        box.button(QMessageBox::Help)->click();
        test::whenModalShows<QMessageBox>([&](QMessageBox &again) {
            ++shownTimes;
            EXPECT_TRUE(help.hasWindow() && help.window()->isVisible());
            again.button(QMessageBox::Ok)->click();
        });
    });
    const MsgResult answer = messages.show(QStringLiteral("Conversion Error"), QStringLiteral("Invalid conversion value."),
                                           MsgIcon::Exclamation, MsgButtons::OkHelp, 9);
    EXPECT_EQ(answer, MsgResult::Ok);
    EXPECT_EQ(shownTimes, 2);
    EXPECT_EQ(shown, QStringList({"Conversion Error", "Invalid conversion value.", "warning"}));
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
        EXPECT_EQ(messages.show(QStringLiteral("Palette Changed"), QStringLiteral("Save current palette?"),
                                MsgIcon::Question, MsgButtons::YesNoCancel),
                  result);
    }
    RecordingMessages standIn; // its queue is empty: it answers as a box closed without a button
    for (MsgButtons buttons : {MsgButtons::OkCancel, MsgButtons::YesNo, MsgButtons::YesNoCancel}) {
        test::whenModalShows<QMessageBox>([](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); });
        EXPECT_EQ(messages.show(QStringLiteral("t"), QStringLiteral("x"), MsgIcon::Question, buttons),
                  standIn.show(QStringLiteral("t"), QStringLiteral("x"), MsgIcon::Question, buttons))
            << int(buttons);
    }
    EXPECT_FALSE(help.hasWindow()) << "no help without a Help button";
}

} // namespace
} // namespace tintwell
