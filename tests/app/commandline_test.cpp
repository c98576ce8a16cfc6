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
    for (const char *flag : {"--help", "-h", "-?"}) {
        const auto r = parse({QString::fromLatin1(flag)});
        EXPECT_FALSE(r.Start) << flag;
        EXPECT_EQ(r.ExitCode, 0);
        EXPECT_TRUE(r.Output.contains(QStringLiteral("--color RRGGBB"))) << flag;
    }
    // Before the toolkit strips its own options they are unknown here; the
    // version must still come out, without a display.
    const QStringList line{"tintwell", "-platform", "xcb", "-v"};
    EXPECT_TRUE(AsksForTextOnly(line));
    const auto r = ParseCommandLine(line, QStringLiteral("1.0"));
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Output, QStringLiteral("Tintwell 1.0\n"));
    // Only options count: not argv[0], nothing after "--", not a value.
    EXPECT_FALSE(AsksForTextOnly({"--help"}));
    EXPECT_FALSE(AsksForTextOnly({"t", "--", "--help"}));
    EXPECT_FALSE(AsksForTextOnly({"t", "--color", "FF0000"}));
}

TEST(CommandLine, ColorOptionGivesTheColourValueRedInTheLowestByte)
{
    ASSERT_TRUE(parse({}).Start);
    EXPECT_FALSE(parse({}).Start->StartColor);
    for (const QStringList &args : {QStringList{"--color", "FF8000"}, {"--color=#ff8000"}, {"-c", "#Ff8000"}}) {
        const auto r = parse(args);
        ASSERT_TRUE(r.Start && r.Start->StartColor) << r.Error.toStdString();
        EXPECT_EQ(*r.Start->StartColor, 0x0080FF);
    }
    EXPECT_EQ(ParseColorArgument(QStringLiteral("0000ff")), 0xFF0000);
}

TEST(CommandLine, BadLinesExitWithUsageStatusAndSayWhatWasWrong)
{
    // A bad colour is quoted; an unknown option or a stray word is named.
    const std::pair<QStringList, QString> bad[] = {
        {{"--color", "FF800"}, "\"FF800\""}, {{"--color", "FF80000"}, "\"FF80000\""},
        {{"--color", "GG8000"}, "\"GG8000\""}, {{"--color", "##FF8000"}, "\"##FF8000\""},
        {{"--color", ""}, "\"\""}, {{"--color", "FF 800"}, "\"FF 800\""}, {{"--color"}, ""},
        {{"--color", "\u0661\u0662\u0663\u0664\u0665\u0666"}, "\u0661"}, {{"--colour", "FF0000"}, "colour"},
        {{"palette.gpl"}, "palette.gpl"}};
    for (const auto &[args, named] : bad) {
        const auto r = parse(args);
        EXPECT_FALSE(r.Start) << args.join(' ').toStdString();
        EXPECT_EQ(r.ExitCode, kExitUsage) << args.join(' ').toStdString();
        EXPECT_TRUE(r.Error.contains(named)) << r.Error.toStdString();
        EXPECT_TRUE(r.Output.isEmpty());
    }
}

} // namespace
} // namespace tintwell
