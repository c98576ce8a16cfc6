#pragma once
// A fresh store, context and main window for every test; the terms window is
// replaced by a counter so nothing modal opens.
#include "mainwindow/frmmain.h"
#include "platform/registry.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace tintwell {

inline std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct MainWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<clsRegistry> reg;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<frmMain> w;
    int licenseShown = 0;
    bool placedWhenLicenseShown = false;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        reg = std::make_unique<clsRegistry>(dir.filePath(QStringLiteral("settings.ini")));
    }

    QString key() const { return clsRegistry::settingsKey(); }

    void open()
    {
        w.reset();
        ctx = std::make_unique<AppContext>();
        ctx->ProgramFolder = dir.path() + QLatin1Char('/');
        w = std::make_unique<frmMain>(*ctx, *reg);
        w->showLicense = [this] {
            ++licenseShown;
            std::int32_t e = 0;
            reg->GetLong(key(), QStringLiteral("MainX"), e);
            placedWhenLicenseShown = e == 0;
        };
        w->Load();
    }

    std::array<QString, kBoxCount> outputs() const
    {
        std::array<QString, kBoxCount> t;
        for (int i = 0; i < kBoxCount; ++i)
            t[std::size_t(i)] = w->txtCopyBox(i)->text();
        return t;
    }
    std::array<QString, 3> boxes() const
    {
        return {w->txtRGBValue(0)->text(), w->txtRGBValue(1)->text(), w->txtRGBValue(2)->text()};
    }
    std::int32_t stored(const char *name)
    {
        std::int32_t e = 0;
        const std::int32_t v = reg->GetLong(key(), QString::fromLatin1(name), e);
        return e == 0 ? v : -12345;
    }
    void typeInto(int row, const QString &text)
    {
        QLineEdit *box = w->txtRGBValue(row);
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

} // namespace tintwell
