#include "core/numberformat.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

using namespace tintwell;

TEST(FormatNumber, PatternsRoundingSignsAndLiterals)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::tuple<double, const char *, const char *> cases[] = {
        {49.8039, "0", "50"}, {5, "0000", "0005"}, {123456, "0", "123456"}, {5, "0,000", "0,005"},
        {1234567.891, "#,##0.00", "1,234,567.89"}, {999, "#,##0", "999"}, {0, "#", ""}, {0.6, "#", "1"},
        {0.5, ".00", ".50"}, {0, "#.##", "."}, {5, "0.##", "5."}, {1.25, "0.0#", "1.25"}, {1.0, "0.0#", "1.0"},
        {1.204, "0.#0", "1.20"}, // a later "0" forces the "#" before it
        // Halfway: away from zero on the shortest decimal text; carries add a digit.
        {0.125, "0.00", "0.13"}, {-2.5, "0", "-3"}, {1.005, "0.00", "1.01"}, {9.0 / 360.0, "0.00", "0.03"},
        {0.1249999, "0.00", "0.12"}, {9.995, "0.00", "10.00"}, {999.5, "#,##0", "1,000"}, {0.96, "#.#", "1."},
        {-1234.5, "#,##0.0", "-1,234.5"}, {-0.001, "0.00", "0.00"}, {-0.0, "0", "0"}, {-0.4, "#", ""},
        {-5, "$#,##0", "-$5"}, {1e15, "0", "1000000000000000"}, {1e-300, "0.00", "0.00"},
        {std::numeric_limits<double>::denorm_min(), "#", ""}, {std::nan(""), "0", "NaN"}, {inf, "0.00", "Infinity"},
        {-inf, "0", "-Infinity"}, {127.5, "", "127.5"}, {1e15, "", "1E+15"}, {0.00001, "", "1E-05"},
        {30, "0 deg", "30 deg"}, {5, "abc", "abc5"}, {1.5, "0.0.0", "1.50"}, // only the first period is the point
    };
    for (const auto &[value, pattern, text] : cases)
        EXPECT_EQ(FormatNumber(value, pattern), text) << value << " \"" << pattern << '"';

    EXPECT_EQ(FormatNumber(1e300, "0"), "1" + QString(300, u'0'));
    const QString grouped = FormatNumber(-1e300, "#,##0");
    EXPECT_EQ(grouped.size(), 1 + 301 + 100);
    EXPECT_TRUE(grouped.startsWith("-1,000,"));
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::max(), "0").size(), 309);
    EXPECT_EQ(FormatSingle(2.675f, "0.00"), "2.68") << "a float's own shortest digits, not 2.67499995...";
}

TEST(ParseSchemeNumber, AcceptsPlainDecimalsOnly)
{
    const std::pair<const char16_t *, double> good[] = {{u"  0.16666\t", 0.16666}, {u"2.5E-2", 0.025},
                                                        {u"-12", -12.0}, {u"+5", 5.0}, {u".5", 0.5}, {u"5.", 5.0}};
    for (const auto &[text, value] : good)
        EXPECT_EQ(ParseSchemeNumber(text), value) << QString::fromUtf16(text).toStdString();
    for (const char16_t *bad : {u"", u" ", u"1,5", u"0x10", u"inf", u"nan", u"1e", u"1.2.3", u"12a", u"e5", u".",
                                u"-", u"1e400", u"1 2", u"\u0661", u"+-1"})
        EXPECT_FALSE(ParseSchemeNumber(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(ParseSchemeSingle(u"0.01"), 0.01f);
    EXPECT_FALSE(ParseSchemeSingle(u"1e39").has_value());
}

// The user's locale reaches the C library through Qt; a German one writes and
// reads "1,5". Built here, as a fresh machine has no locale but C.
TEST(ParseSchemeNumber, IgnoresTheUsersLocale)
{
    QTemporaryDir dir;
    QProcess build;
    build.start("localedef", {"-i", "de_DE", "-f", "UTF-8", dir.filePath("de_DE.UTF-8")});
    if (!build.waitForFinished(60000) || build.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "localedef is not available (Debian package libc-bin)";
    const QByteArray oldPath = qgetenv("LOCPATH");
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto half = ParseSchemeNumber(u"0.5");
    const bool commaRefused = !ParseSchemeNumber(u"0,5").has_value();
    const QString grouped = FormatNumber(1234.5, "#,##0.00");
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, saved.c_str());
    oldPath.isNull() ? qunsetenv("LOCPATH") : qputenv("LOCPATH", oldPath);

    ASSERT_TRUE(german) << "the German locale could not be set (Debian package locales): "
                        << build.readAllStandardError().toStdString();
    ASSERT_STREQ(probe, "1,5") << "the German locale did not take effect";
    EXPECT_EQ(half, 0.5);
    EXPECT_TRUE(commaRefused);
    EXPECT_EQ(grouped, "1,234.50");
}
