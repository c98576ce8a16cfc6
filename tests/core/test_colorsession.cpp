// The colour session without a window: scheme and mode changes keep the
// colour exactly, untouched boxes are never read back, typed ones are, and a
// colour set from inside an export script leaves the session consistent.
#include "core/colorsession.h"
#include "core/schemefiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

QString hex6(std::int32_t c)
{
    return QString::number((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF) | 0x1000000, 16).mid(1).toUpper();
}

struct SessionFixture : ::testing::Test {
    QTemporaryDir dir;
    AppContext ctx;
    ColorSession session{ctx};

    void SetUp() override
    {
        ctx.ProgramFolder = dir.path() + QLatin1Char('/');
        ctx.loadScheme(0);
        ctx.FormLoaded = true;
    }

    // What leaving each box does when the user did not type: a menu opened
    // with the mouse takes the focus from the box it was in.
    void leaveEveryBox()
    {
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(session.commitBox(i)) << "box " << i << " read back untouched";
    }

    // Leaves the boxes, changes and comes back; the colour must not move.
    template<typename There, typename Back>
    void roundTrip(std::int32_t colour, There there, Back back)
    {
        session.setColor(colour);
        leaveEveryBox();
        there();
        leaveEveryBox();
        ASSERT_EQ(session.color(), colour);
        back();
        leaveEveryBox();
        ASSERT_EQ(session.color(), colour);
        ASSERT_EQ(session.outputs()[kBoxHTML], hex6(colour));
    }
};

TEST_F(SessionFixture, SchemeAndModeRoundTripsKeepTheColourExactly)
{
    FormatScheme coarse = ctx.Scheme; // ten steps a slider and whole numbers only
    for (NumericFormat &f : coarse.Formats)
        f.InputBase = f.InputLargeStep = {10, 10, 10, 10};
    RecordingMessages messages;
    ASSERT_TRUE(WriteCustomScheme(coarse, QStringLiteral("Coarse"), 1, dir.path(), messages));
    const int schemes[] = {0, 1, 2, 3, kFirstCustomScheme};
    const std::int32_t colours[] = {rgb(255, 128, 0), rgb(255, 200, 5), rgb(17, 200, 99), rgb(1, 2, 3),
                                    rgb(128, 128, 128), rgb(0, 0, 0), rgb(255, 255, 255), rgb(254, 127, 1)};
    for (int mode = 0; mode < 4; ++mode)
        for (int from : schemes)
            for (int to : schemes)
                for (std::int32_t c : colours) {
                    if (from == to)
                        continue;
                    SCOPED_TRACE(QString("mode %1, %2-%3, %4").arg(mode).arg(from).arg(to).arg(hex6(c)).toStdString());
                    session.changeScheme(from);
                    session.setSliderMode(mode);
                    roundTrip(c, [&] { session.changeScheme(to); }, [&] { session.changeScheme(from); });
                }
    for (int s : {0, 2, 3}) {
        session.changeScheme(s);
        for (int from = 0; from < 4; ++from)
            for (int to = 0; to < 4; ++to)
                for (std::int32_t c : {rgb(255, 128, 0), rgb(17, 200, 99), rgb(3, 250, 77)}) {
                    SCOPED_TRACE(QString("scheme %1, %2-%3, %4").arg(s).arg(from).arg(to).arg(hex6(c)).toStdString());
                    session.setSliderMode(from);
                    // The old sliders' look alone changes nothing either.
                    roundTrip(c, [&] { session.setUseOldSliders(true); }, [&] { session.setUseOldSliders(false); });
                    roundTrip(c, [&] { session.setSliderMode(to); }, [&] { session.setSliderMode(from); });
                }
    }
}

TEST_F(SessionFixture, TypedTextIsReadOnceCleanedUnchangedTextNeverAndTheShadeRowComesBack)
{
    session.setColor(rgb(255, 128, 0));
    session.setBoxText(1, QStringLiteral("999")); // above the maximum: the maximum
    EXPECT_TRUE(session.commitBox(1));
    EXPECT_EQ(session.color(), rgb(255, 255, 0));
    EXPECT_FALSE(session.commitBox(1)) << "the cleaned text is read again";
    session.changeScheme(2);
    session.setBoxText(2, session.sliders().BoxText[2]); // the text that is already there
    EXPECT_FALSE(session.commitBox(2));
    EXPECT_EQ(session.color(), rgb(255, 255, 0));
    // The shade row comes back to the colour it started from and stays inside.
    const float home = session.sliders().ShadeValue;
    session.valueRequested(kShadeRow, 0);
    EXPECT_EQ(session.color(), 0);
    session.valueRequested(kShadeRow, home);
    EXPECT_EQ(session.color(), rgb(255, 255, 0));
    session.stepPressed(kShadeRow, +1, 1000);
    EXPECT_EQ(session.color(), rgb(255, 255, 255));
}

TEST_F(SessionFixture, AColourSetFromInsideAnExportScriptWinsAndStaysConsistent)
{
    ctx.Scheme.Info[TN_HTML].ExportScript = QStringLiteral("script");
    int runs = 0;
    const std::int32_t nested = rgb(10, 20, 30);
    session.setExportScriptRunner([&](const QString &) {
        ctx.Script.OutputText = QStringLiteral("run %1").arg(++runs);
        if (runs == 1) // the first run sets another colour, as a converter script may
            session.setColor(nested);
    });
    int outputSignals = 0;
    std::vector<std::int32_t> shown;
    QObject::connect(&session, &ColorSession::outputsChanged, [&] { ++outputSignals; });
    QObject::connect(&session, &ColorSession::colorChanged, [&](std::int32_t c) { shown.push_back(c); });

    session.setColor(rgb(255, 128, 0));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(session.color(), nested);
    EXPECT_EQ(outputSignals, 1) << "the outer call's outputs, for the old colour, are dropped";
    EXPECT_EQ(session.outputs()[kBoxHTML], QStringLiteral("run 2"));
    EXPECT_EQ(session.outputs()[kBoxRGB], QStringLiteral("10,20,30"));
    EXPECT_EQ(session.sliders().BoxText[0], QStringLiteral("10"));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown.back(), nested);
    EXPECT_TRUE(ctx.Script.ScriptName.isEmpty()) << "the script name is put back after the round";

    // A view that commits from inside the session's rewrite must not start a change.
    int reads = 0;
    QObject::connect(&session, &ColorSession::boxesWritten, [&] { reads += session.commitBox(0); });
    session.setBoxText(0, QStringLiteral("9"));
    session.valueRequested(1, 100);
    EXPECT_EQ(reads, 0);
}

} // namespace
} // namespace tintwell
