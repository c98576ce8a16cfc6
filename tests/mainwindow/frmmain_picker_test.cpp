// The picker and converter as parts of the main window: their colours reach
// SetColors, their access keys reach them, and the frames hold them.
#include "mainwindowfixture.h"
#include "picker/converterpanel.h"
#include "picker/pickerpanel.h"
#include "mainwindow/sliderrow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tintwell {
namespace {

TEST_F(MainWindowFixture, ConverterAndPickerSitInTheirFrames)
{
    open();
    EXPECT_EQ(w->converterPanel()->cboConvertType()->parentWidget(), w->converterFrame());
    EXPECT_EQ(w->converterPanel()->txtConvert()->parentWidget(), w->converterFrame());
    EXPECT_EQ(w->pickerPanel()->picZoom()->parentWidget(), w->pickerFrame());
    // What's This and F1 topics of the new controls.
    EXPECT_EQ(frmMain::helpContextOf(w->pickerPanel()->picZoom()), 6006);
    EXPECT_EQ(frmMain::helpContextOf(w->pickerPanel()->lblXPos()), 6006);
    EXPECT_EQ(frmMain::helpContextOf(w->converterPanel()->txtConvert()), 6007);
    EXPECT_EQ(frmMain::helpContextOf(w->converterPanel()->cmdConvert()), 6008);
    // The list follows the scheme's format names, the last item stays Octal.
    QComboBox *list = w->converterPanel()->cboConvertType();
    EXPECT_EQ(list->itemText(0), QString(w->lblFormatNames(0)->text()).remove(QLatin1Char('&')));
    EXPECT_EQ(list->itemText(6), QString(w->lblFormatNames(6)->text()).remove(QLatin1Char('&')));
    EXPECT_EQ(list->itemText(7), QStringLiteral("Octal"));
    EXPECT_EQ(list->currentIndex(), 0);
    // Exactly one item per picker group is checked at start.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(w->pickerSampleItem(i)->isChecked(), i == 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(w->pickerZoomItem(i)->isChecked(), i == 0);
    w->pickerZoomItem(3)->trigger();
    EXPECT_FALSE(w->pickerZoomItem(0)->isChecked());
    EXPECT_TRUE(w->pickerZoomItem(3)->isChecked());
}

TEST_F(MainWindowFixture, AltNReachesTheTypeListAndAltVConverts)
{
    open();
    // That N and V are nobody else's is EveryMnemonicIsUniqueAndTheMenusWinTheFirstPress.
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ConverterPanel *c = w->converterPanel();
    w->picColorBox(0)->setFocus();
    QTest::keyClick(w.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), c->cboConvertType());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), c->txtConvert());
    // Back to the list from the text box too, not to the last focused control.
    QTest::keyClick(w.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), c->cboConvertType());

    session->ShadeDriven = true;
    c->cboConvertType()->setCurrentIndex(2);
    c->txtConvert()->setText(QStringLiteral("255"));
    QTest::keyClick(w.get(), Qt::Key_V, Qt::AltModifier);
    // A button's access key clicks it a moment later, as a mouse click shows.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->currentColor() == rgb(255, 0, 0); }, 5000));
    // Like every colour from outside the sliders, it ends shading and reaches every output.
    EXPECT_FALSE(session->ShadeDriven);
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FF0000"));
    // Enter in the box converts too.
    c->txtConvert()->setFocus();
    c->txtConvert()->setText(QStringLiteral("65280"));
    QTest::keyClick(c->txtConvert(), Qt::Key_Return);
    EXPECT_EQ(w->currentColor(), rgb(0, 255, 0));
    // A refused value leaves the colour alone.
    c->txtConvert()->setText(QString());
    QTest::keyClick(c->txtConvert(), Qt::Key_Return);
    EXPECT_EQ(w->currentColor(), rgb(0, 255, 0));
    ASSERT_FALSE(ctx->OwnMessages.shown.isEmpty());
    EXPECT_EQ(ctx->OwnMessages.shown.last().text, QStringLiteral("Invalid conversion value."));
}

} // namespace
} // namespace tintwell
