#include "app/commandline.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

CommandLineResult parse(QStringList args)
{
    args.prepend(QStringLiteral("tintwell"));
    return ParseCommandLine(args, QStringLiteral("9.8"));
}

TEST(CommandLine, HelpAndVersionPrintAndExitCleanlyEvenBesideUnknownOptions)
{
    const auto plain = parse({});
    ASSERT_TRUE(plain.Start);
    EXPECT_FALSE(plain.Start->StartColor);
    for (const char *flag : {"--help", "-h", "-?"}) {
        const auto r = parse({QString::fromLatin1(flag)});
        EXPECT_FALSE(r.Start) << flag;
        EXPECT_EQ(r.ExitCode, 0);
        EXPECT_TRUE(r.Output.contains(QStringLiteral("--color RRGGBB"))) << flag;
    }
    // Before the toolkit strips its own options they are unknown here; the
    // version must still come out, without a display.
    const QStringList line{QStringLiteral("tintwell"), QStringLiteral("-platform"),
                           QStringLiteral("xcb"), QStringLiteral("-v")};
    EXPECT_TRUE(AsksForTextOnly(line));
    const auto r = ParseCommandLine(line, QStringLiteral("1.0"));
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Output, QStringLiteral("Tintwell 1.0\n"));
    // Only options count: not argv[0], nothing after "--", not a value.
    EXPECT_FALSE(AsksForTextOnly({QStringLiteral("--help")}));
    EXPECT_FALSE(AsksForTextOnly({QStringLiteral("t"), QStringLiteral("--"), QStringLiteral("--help")}));
    EXPECT_FALSE(AsksForTextOnly({QStringLiteral("t"), QStringLiteral("--color"), QStringLiteral("FF0000")}));
}

TEST(CommandLine, ColorOptionGivesTheColourValueRedInTheLowestByte)
{
    for (const QStringList &args : {QStringList{QStringLiteral("--color"), QStringLiteral("FF8000")},
                                    QStringList{QStringLiteral("--color=#ff8000")},
                                    QStringList{QStringLiteral("-c"), QStringLiteral("#Ff8000")}}) {
        const auto r = parse(args);
        ASSERT_TRUE(r.Start && r.Start->StartColor) << r.Error.toStdString();
        EXPECT_EQ(*r.Start->StartColor, 0x0080FF);
    }
    EXPECT_EQ(ParseColorArgument(QStringLiteral("0000ff")), 0xFF0000);
    EXPECT_EQ(ParseColorArgument(QStringLiteral("#FFFFFF")), 0xFFFFFF);
}

TEST(CommandLine, BadLinesExitWithUsageStatusAndSayWhatWasWrong)
{
    for (const QString &bad : {QStringLiteral("FF800"), QStringLiteral("FF80000"), QStringLiteral("GG8000"),
                               QStringLiteral("##FF8000"), QStringLiteral(""), QStringLiteral("FF 800"),
                               QStringLiteral("\u0661\u0662\u0663\u0664\u0665\u0666")}) {
        const auto r = parse({QStringLiteral("--color"), bad});
        EXPECT_FALSE(r.Start) << bad.toStdString();
        EXPECT_EQ(r.ExitCode, kExitUsage);
        EXPECT_TRUE(r.Error.contains(QStringLiteral("\"%1\"").arg(bad))) << r.Error.toStdString();
    }
    const auto unknown = parse({QStringLiteral("--colour"), QStringLiteral("FF0000")});
    EXPECT_EQ(unknown.ExitCode, kExitUsage);
    EXPECT_TRUE(unknown.Error.contains(QStringLiteral("colour"))) << unknown.Error.toStdString();
    EXPECT_TRUE(unknown.Output.isEmpty());
    EXPECT_EQ(parse({QStringLiteral("--color")}).ExitCode, kExitUsage);
    const auto stray = parse({QStringLiteral("palette.gpl")});
    EXPECT_EQ(stray.ExitCode, kExitUsage);
    EXPECT_TRUE(stray.Error.contains(QStringLiteral("palette.gpl")));
}

} // namespace
} // namespace tintwell
