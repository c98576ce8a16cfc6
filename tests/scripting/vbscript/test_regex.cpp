// The regular-expression core: what the language's pattern syntax becomes for
// PCRE2, and the replacement text. Matching itself is checked from scripts
// (regexp.vbs); these are the cases a script can hardly isolate.

#include "scripting/vbscript/regex.h"

#include <gtest/gtest.h>

using namespace tintwell::vbs;

namespace {

std::vector<RegexMatch> all(const QString &pattern, const QString &subject, RegexFlags flags = {})
{
    Regex re;
    EXPECT_TRUE(re.compile(pattern, flags)) << pattern.toStdString();
    std::vector<RegexMatch> out;
    EXPECT_EQ(re.matchAll(subject, -1, &out), Regex::Status::Ok);
    return out;
}

TEST(Regex, PatternsKeepTheLanguageMeaning)
{
    // \z, \h mean something else to PCRE2; letters that are no escape stand for themselves.
    EXPECT_EQ(all(QStringLiteral("\\z\\h"), QStringLiteral("xzh")).size(), 1u);
    EXPECT_EQ(all(QStringLiteral("\\v"), QStringLiteral("a\vb\nc")).size(), 1u);
    EXPECT_EQ(all(QStringLiteral("a\\0"), QString::fromUtf16(u"a\0", 2)).size(), 1u);
    EXPECT_EQ(all(QStringLiteral("[[:a]"), QStringLiteral("[:a")).size(), 3u); // no POSIX classes
    // Dot and dollar stop at every line end.
    EXPECT_TRUE(all(QStringLiteral("."), QString(QChar(0x2028))).empty());
    EXPECT_EQ(all(QStringLiteral("^\\w$"), QStringLiteral("a\nb\r\nc"), {false, true}).size(), 3u);
}

TEST(Regex, EmptyMatchesStepOnByOneAndGroupsMayBeUnset)
{
    const auto m = all(QStringLiteral("(x)?y*"), QStringLiteral("ab"));
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[2].whole.start, 2);
    EXPECT_FALSE(m[0].groups[0].matched());
    // A back reference to a group that took no part matches the empty text.
    EXPECT_EQ(all(QStringLiteral("(a)?\\1b"), QStringLiteral("b")).size(), 1u);
}

TEST(Regex, CaseFoldsBeyondAsciiAndIndexesCountCodeUnits)
{
    EXPECT_EQ(all(QString::fromUtf16(u"[\u00e9x]+"), QString::fromUtf16(u"\u00c9X\u00e9"), {true, false}).size(), 1u);
    // Lone surrogates are code units like any other, in subjects and patterns.
    QString subject = QStringLiteral("x");
    subject += QChar(0xD800);
    subject += QStringLiteral("ab");
    const auto m = all(QStringLiteral("a"), subject);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].whole.start, 2);
    EXPECT_EQ(all(QString(QChar(0xD800)) + QLatin1Char('.'), subject).size(), 1u);
    EXPECT_TRUE(all(QStringLiteral("\\w"), QString::fromUtf16(u"\u00e9")).empty()); // \w stays ASCII
}

TEST(Regex, BadPatternsAreRefusedAndRunawaysStop)
{
    Regex re;
    EXPECT_FALSE(re.compile(QStringLiteral("(a"), {}));
    bool found = true;
    RegexMatch m;
    EXPECT_EQ(re.matchAt(QStringLiteral("a"), 0, &m, &found), Regex::Status::BadPattern);
    ASSERT_TRUE(re.compile(QStringLiteral("^(a|aa)+$"), {}));
    EXPECT_EQ(re.matchAt(QString(60, QLatin1Char('a')) + QLatin1Char('!'), 0, &m, &found), Regex::Status::StepLimit);
    EXPECT_FALSE(found);
}

TEST(Regex, ReplacementForms)
{
    const QString subject = QStringLiteral("say hello now");
    const auto ok = all(QStringLiteral("(h)(e)(l)l(o)"), subject);
    ASSERT_EQ(ok.size(), 1u);
    // A group number past the pattern's groups is text; $11 without group 11 is $1 then 1.
    EXPECT_EQ(Regex::expand(QStringLiteral("[$1$4|$5|$04|$11]"), subject, ok[0]).toStdString(), "[ho|$5|$04|h1]");
}

} // namespace
