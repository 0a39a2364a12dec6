// A main window on made-up hardware: a screen of any size, a clock that
// moves only when the window waits, message boxes that are written down
// instead of shown, and a theme directory with pictures whose colours tell
// which state of which picture a pixel shows.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/Platform.h"
#include "play/ForcedStops.h"
#include "store/SettingsFile.h"
#include "table/MainWindow.h"

namespace windowtest {

// The help viewer: every request written down, nothing shown.
class RecordingHelpViewer : public dialogs::HelpViewer {
public:
    struct Request {
        QString file;
        int topic;
        QWidget* owner;
    };
    std::vector<Request> shown;
    void Show(const QString& helpFile, int topic, QWidget* owner) override
    {
        shown.push_back({helpFile, topic, owner});
    }
};

class FakePlatform : public desktop::Platform {
public:
    RecordingHelpViewer help;
    dialogs::HelpViewer& Help() override { return help; }

    // The window's client area is 14 pixels narrower (10 by the game's own
    // choice, 4 by the test platform's frame), and lower by the menu bar too:
    // 800 wide and more than 600 high, a table at scale 1.
    int width = 814;
    int height = 800;
    int depth = 24;
    int dpi = 120;
    QString programPath;
    int64_t now = 5'000'000;
    int waits = 0;
    // Runs at every wake-up, after pending events, before the play is woken:
    // a test acts "during" a wait.
    std::function<void()> onWait;

    int ScreenWidth() const override { return width; }
    int ScreenHeight() const override { return height; }
    int ColourDepth() const override { return depth; }
    int LogicalDpi() const override { return dpi; }
    QString ProgramPath() const override { return programPath; }
    int64_t MonotonicMicros() const override { return now; }
    void WakeAt(int64_t deadlineMicros, std::function<void()> wake) override
    {
        deadline_ = deadlineMicros;
        wake_ = std::move(wake);
    }
    void CancelWake() override { wake_ = nullptr; }
    bool WakePending() const { return wake_ != nullptr; }
    // Plays whatever the play has scheduled, the clock jumping to each
    // deadline as a punctual timer would, until nothing more is (at most
    // `limit` wake-ups).
    void RunWakes(int limit = 100'000)
    {
        while (wake_ && limit-- > 0) {
            ++waits;
            if (deadline_ > now) now = deadline_;
            QCoreApplication::processEvents();
            if (onWait) onWait();
            if (!wake_) continue;
            auto wake = std::exchange(wake_, nullptr);
            wake();
        }
    }

private:
    int64_t deadline_ = 0;
    std::function<void()> wake_;
};

struct Box {
    QString kind;  // "plain", "information", "error", "confirm"
    QString caption;
    QString text;
};

class RecordingBoxes : public dialogs::MessageBoxes {
public:
    std::vector<Box> shown;
    bool confirmAnswer = false;

    void Plain(QWidget*, const QString& caption, const QString& text) override
    {
        shown.push_back({QStringLiteral("plain"), caption, text});
    }
    void Information(QWidget*, const QString& text) override
    {
        shown.push_back({QStringLiteral("information"), QStringLiteral("Information"), text});
    }
    void Error(QWidget*, const QString& caption, const QString& text) override
    {
        shown.push_back({QStringLiteral("error"), caption, text});
    }
    bool Confirm(QWidget*, const QString& text) override
    {
        shown.push_back({QStringLiteral("confirm"), QStringLiteral("Confirm"), text});
        return confirmAnswer;
    }
};

// Colours of the marked replacement pictures.
inline const QRgb TableColour = qRgb(40, 44, 48);
inline QRgb ButtonColour(char name, int state)
{
    const int b = name == '1' ? 0 : name == '5' ? 1 : 2;
    return qRgb(70 + b * 60, state ? 230 : 20, 90);
}
inline const QRgb LogoDimColour = qRgb(200, 10, 10);
inline const QRgb PlateDimColour = qRgb(10, 10, 200);
inline const QRgb SignDimColour = qRgb(200, 200, 10);
inline QRgb CellColour(int cell)
{
    return qRgb(20 + cell * 14, 200 - cell * 9, 60 + (cell * 37) % 150);
}

void WriteBitmap(const QString& path, const QImage& image);
QImage Solid(int w, int h, QRgb colour);
// 304 × 304, the sixteen 76-pixel cells each in CellColour(cell).
QImage SymbolSheet();
// 78 × 118: the dim state's colour above, the lit one below.
QImage ButtonPicture(char name);

class Environment {
public:
    explicit Environment(int width = 814, int height = 800);
    ~Environment();

    FakePlatform platform;
    RecordingBoxes boxes;
    // The windows' outcomes: drawn, unless a test forces the stops.
    play::ForcedStops stops;

    QString AssetDir() const { return assets_.path() + QLatin1Char('/'); }
    QString ConfigDir() const { return config_.path(); }
    QString ProfileFile(const QString& name) const { return config_.path() + QStringLiteral("/tallyho/") + name; }
    // The game history (XDG_DATA_HOME is a folder of the test's own).
    QString HistoryFile() const { return config_.path() + QStringLiteral("/data/tallyho/plumfizz-history.sqlite"); }

    void WriteSymbolSheet(const QString& fileName = QStringLiteral("Plum.bmp"));
    // Replacements for the background, the buttons and the three dim areas.
    void WriteMarkedPictures();
    void WriteTestingIni(const QString& lines);
    void WriteSavedGame(const QString& lines);

    // The saved game's key, or "" when absent.
    std::string Saved(const char* key) const;
    std::string Reminder(const char* key) const;

    // Constructs the window; its timers are stopped so nothing ticks unasked.
    std::unique_ptr<table::MainWindow> Make();
    // ... shown (the surface follows the client area), after the start-up tick.
    std::unique_ptr<table::MainWindow> MakeReady();

    // A design point in view pixels (through the window's scaling and the
    // table's place), and the surface's pixel there (the surface holds the table only).
    static QPoint Design(const table::MainWindow& form, int x, int y);
    static QRgb PixelAt(const table::MainWindow& form, int designX, int designY);

private:
    QTemporaryDir assets_;
    QTemporaryDir config_;
    QByteArray previousConfig_;
    QByteArray previousData_;
    // A spin of random stops may fill the bonus meter; its window would wait
    // for a player for ever. Tests that play it act at once, well before this.
    QTimer bonusGuard_;
};

void StopTimers(table::MainWindow& form);

// Plays the running script to its end, the clock jumping from wait to wait; a
// bonus window that opens is answered as Enter would, and left at once.
void PlayOut(FakePlatform& platform, table::MainWindow& form);

}  // namespace windowtest
