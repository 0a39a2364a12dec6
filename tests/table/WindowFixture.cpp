// The window tests' made-up machine: marked pictures, saved games and reminder files in temporary
// directories, and a window made ready as after its start-up tick.
#include "WindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include "dialogs/BonusWindow.h"

namespace windowtest {

void WriteBitmap(const QString& path, const QImage& image)
{
    ASSERT_TRUE(image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) << path.toStdString();
}

QImage Solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage SymbolSheet()
{
    QImage sheet(304, 304, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int cell = 0; cell < 16; ++cell) {
        painter.fillRect((cell % 4) * 76, (cell / 4) * 76, 76, 76, QColor(CellColour(cell)));
    }
    return sheet;
}

QImage ButtonPicture(char name)
{
    QImage picture(78, 118, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 78, 59, QColor(ButtonColour(name, 0)));
    painter.fillRect(0, 59, 78, 59, QColor(ButtonColour(name, 1)));
    return picture;
}

Environment::Environment(int width, int height)
{
    platform.width = width;
    platform.height = height;
    platform.programPath = assets_.path() + QStringLiteral("/plumfizz");
    // The two effects start-up reads into memory, for both roots the tests
    // use; empty files read without error and play nothing.
    for (const char* name : {"Plum0.wav", "Plum3.wav", "Cherry0.wav", "Cherry3.wav"}) {
        QFile effect(AssetDir() + QLatin1String(name));
        effect.open(QIODevice::WriteOnly);
    }
    previousConfig_ = qgetenv("XDG_CONFIG_HOME");
    previousData_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qputenv("XDG_DATA_HOME", (config_.path() + QStringLiteral("/data")).toUtf8());
    bonusGuard_.setInterval(1000);
    QObject::connect(&bonusGuard_, &QTimer::timeout, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* bonus = qobject_cast<dialogs::BonusWindow*>(window)) bonus->FinishNow();
        }
    });
    bonusGuard_.start();
}

Environment::~Environment()
{
    if (previousConfig_.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", previousConfig_);
    }
    if (previousData_.isEmpty()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", previousData_);
    }
}

void Environment::WriteSymbolSheet(const QString& fileName)
{
    WriteBitmap(AssetDir() + fileName, SymbolSheet());
}

void Environment::WriteMarkedPictures()
{
    WriteBitmap(AssetDir() + QStringLiteral("TESTER.BMP"), Solid(800, 600, TableColour));
    WriteBitmap(AssetDir() + QStringLiteral("Bet1But.BMP"), ButtonPicture('1'));
    WriteBitmap(AssetDir() + QStringLiteral("Bet5But.BMP"), ButtonPicture('5'));
    WriteBitmap(AssetDir() + QStringLiteral("SpinBut.BMP"), ButtonPicture('S'));
    WriteBitmap(AssetDir() + QStringLiteral("DIMMEDX.BMP"), Solid(302, 165, LogoDimColour));
    WriteBitmap(AssetDir() + QStringLiteral("DIMMED2X.BMP"), Solid(429, 45, PlateDimColour));
    WriteBitmap(AssetDir() + QStringLiteral("BET1B.BMP"), Solid(84, 85, SignDimColour));
}

void Environment::WriteTestingIni(const QString& lines)
{
    QFile file(AssetDir() + QStringLiteral("Testing.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.toUtf8());
}

void Environment::WriteSavedGame(const QString& lines)
{
    QDir().mkpath(config_.path() + QStringLiteral("/tallyho"));
    QFile file(ProfileFile(QStringLiteral("plumfizz.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.toUtf8());
}

std::string Environment::Saved(const char* key) const
{
    return store::SettingsFile(ProfileFile(QStringLiteral("plumfizz.ini")).toStdString())
        .ReadString("CurrentGame", key, "");
}

std::string Environment::Reminder(const char* key) const
{
    return store::SettingsFile(ProfileFile(QStringLiteral("thupdate.ini")).toStdString())
        .ReadString("Plumfizz Slots", key, "");
}

std::unique_ptr<table::MainWindow> Environment::Make()
{
    auto form = std::make_unique<table::MainWindow>(platform, boxes, stops);
    StopTimers(*form);
    return form;
}

std::unique_ptr<table::MainWindow> Environment::MakeReady()
{
    auto form = Make();
    form->show();
    QCoreApplication::processEvents();
    form->StartupTick();
    StopTimers(*form);
    return form;
}

QPoint Environment::Design(const table::MainWindow& form, int x, int y)
{
    return QPoint(form.Surface().Origin().x() + form.Surface().Scale().Scaled(x),
                  form.Surface().Origin().y() + form.Surface().Scale().Scaled(y));
}

QRgb Environment::PixelAt(const table::MainWindow& form, int designX, int designY)
{
    return form.Surface().Image().pixel(form.Surface().Scale().Scaled(designX), form.Surface().Scale().Scaled(designY));
}

void StopTimers(table::MainWindow& form)
{
    for (QTimer* timer : {&form.StartupTimer, &form.ButtonAttentionTimer, &form.WinFlashTimer, &form.PendingTrackTimer,
                          &form.BetSignTimer})
        timer->stop();
}

void PlayOut(FakePlatform& platform, table::MainWindow& form)
{
    for (int round = 0; round < 100; ++round) {
        platform.RunWakes();
        dialogs::BonusWindow* bonus = form.Dialogs().OpenBonus();
        if (bonus == nullptr) return;
        bonus->FinishNow();
    }
}

}  // namespace windowtest
