#pragma once
// A fresh store, context, session and main window for every test; the windows
// beside it are counters (the application tests join the real ones).
#include "core/schemefiles.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/sliderrow.h"
#include "platform/help.h"
#include "platform/registry.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace tintwell {

inline std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
using Boxes = std::array<QString, 3>;
inline QString clip() { return QGuiApplication::clipboard()->text(); }

struct CountingPeers : MainWindowPeers {
    int paletteShown = 0;
    int paletteSaves = 0;
    std::function<void()> onLicense;
    QList<std::int32_t> colorsOffered;
    std::int32_t colorAnswer = -1; // -1: hand back the colour offered

    void loadPaletteTool() override {}
    void showPaletteTool() override { ++paletteShown; }
    bool savePalette() override { ++paletteSaves; return true; }
    void showAdvanced() override {}
    void showLicense(QWidget *) override { onLicense(); }
    void showAbout(QWidget *) override {}
    bool RunConverterScript(int, const QString &) override { return false; }
    std::int32_t chooseColor(std::int32_t current, QWidget *) override
    {
        colorsOffered.append(current);
        return colorAnswer < 0 ? current : colorAnswer;
    }
};

struct MainWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<clsRegistry> reg;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<ColorSession> session;
    HelpService help;
    CountingPeers peers;
    std::unique_ptr<frmMain> w;
    int licenseShown = 0;
    bool placedWhenLicenseShown = false;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        reg = std::make_unique<clsRegistry>(dir.filePath(QStringLiteral("settings.ini")));
        peers.onLicense = [this] {
            ++licenseShown;
            placedWhenLicenseShown = stored("MainX") != -12345;
        };
    }
    void setAll(std::initializer_list<std::pair<const char *, std::int32_t>> values)
    {
        for (const auto &[name, value] : values)
            reg->SetLong(clsRegistry::settingsKey(), QString::fromLatin1(name), value);
    }
    void open()
    {
        w.reset();
        session.reset();
        ctx = std::make_unique<AppContext>();
        ctx->ProgramFolder = dir.path() + QLatin1Char('/');
        session = std::make_unique<ColorSession>(*ctx);
        w = std::make_unique<frmMain>(*ctx, *reg, *session, help, peers);
        w->Load();
    }
    void openAt(std::int32_t lastColor) { setAll({{"Last Color", lastColor}}); open(); }
    bool activate()
    {
        w->show();
        QApplication::setActiveWindow(w.get());
        return QTest::qWaitForWindowActive(w.get());
    }
    // A copy of built-in scheme `from` in slot n; `edit` changes it first.
    void writeSlot(int from, const QString &name, int n, const std::function<void(FormatScheme &)> &edit = {})
    {
        FormatScheme scheme;
        RecordingMessages messages;
        LoadScheme(scheme, from, messages, QString());
        if (edit)
            edit(scheme);
        ASSERT_TRUE(WriteCustomScheme(scheme, name, n, dir.path(), messages));
    }

    std::array<QString, kBoxCount> outputs() const
    {
        std::array<QString, kBoxCount> t;
        for (int i = 0; i < kBoxCount; ++i)
            t[std::size_t(i)] = w->txtCopyBox(i)->text();
        return t;
    }
    Boxes boxes() const { return {w->txtRGBValue(0)->text(), w->txtRGBValue(1)->text(), w->txtRGBValue(2)->text()}; }
    std::int32_t stored(const char *name)
    {
        std::int32_t e = 0;
        const std::int32_t v = reg->GetLong(clsRegistry::settingsKey(), QString::fromLatin1(name), e);
        return e == 0 ? v : -12345;
    }
    void chooseFormat(int f) { w->formatItem(f)->trigger(); }
    void typeInto(int row, const QString &text)
    {
        w->txtRGBValue(row)->setText(text);
        QTest::keyClick(w->txtRGBValue(row), Qt::Key_Return);
    }
};

} // namespace tintwell
