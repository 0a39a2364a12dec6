// The gallery: the game's own main window on the real screen, every window a
// player can meet opened through it, and a picture of each with its frame.
//
//   plumfizz-gallery <folder>   (run as "plumfizz" beside the theme files)
//
// Each picture is written as <folder>/<name>.png; the names are printed as
// they are written. Exits 1 when a window did not open.
#include <QApplication>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "desktop/Platform.h"
#include "desktop/UpdateReminder.h"
#include "dialogs/BonusWindow.h"
#include "dialogs/BorrowWindow.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/SlotDialog.h"
#include "engine/BonusMeter.h"
#include "engine/Game.h"
#include "store/GameStore.h"
#include "table/MainWindow.h"

namespace {

class Gallery {
public:
    explicit Gallery(const QString& folder) : folder_(folder) {}

    int failures = 0;

    // The picture of a shown window, its window manager's frame included.
    void Picture(const QString& name, QWidget* window)
    {
        if (window == nullptr || !window->isVisible() || !QTest::qWaitForWindowExposed(window, 5000)) {
            Fail(name, "the window did not open");
            return;
        }
        // A window manager frames the window in its own time: wait for the
        // frame (a window without one, covering the screen, waits 2 s).
        const bool framed = qEnvironmentVariableIsSet("PLUMFIZZ_GALLERY_WINDOW_MANAGER");
        for (int wait = 0; framed && wait < 40 && window->frameGeometry() == window->geometry(); ++wait) Settle(50);
        Settle(framed ? 500 : 300);
        const QRect frame = window->frameGeometry();
        QPixmap picture = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        if (picture.isNull()) picture = window->grab();
        const QString path = folder_.filePath(name + QStringLiteral(".png"));
        if (!picture.save(path)) {
            Fail(name, "the picture could not be written");
            return;
        }
        std::printf("%s %dx%d\n", qPrintable(name), picture.width(), picture.height());
        std::fflush(stdout);
    }

    // Runs `open`, which shows modal windows one after another and returns
    // once they are closed. Each is pictured under the next of `names` (an
    // empty name: no picture); `inside` runs on the first, then every one is
    // closed.
    void Modal(const QStringList& names, const std::function<void()>& open,
               const std::function<void(QWidget&)>& inside = {})
    {
        QWidget* const before = QApplication::activeModalWidget();
        bool done = false;
        qsizetype seen = 0;
        QPointer<QWidget> last;
        QTimer watch;
        watch.setInterval(50);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == before || modal == last || !modal->isVisible()) return;
            watch.stop();  // not again from the event loops below
            last = modal;
            const QString name = seen < names.size() ? names[seen] : QString();
            ++seen;
            if (!name.isEmpty()) Picture(name, modal);
            if (seen == 1 && inside) inside(*modal);
            if (QPointer<QWidget> still(modal); still && still->isVisible()) Close(*still);
            if (!done) watch.start();
        });
        watch.start();
        open();
        done = true;
        watch.stop();
        for (qsizetype missing = seen; missing < names.size(); ++missing) {
            if (!names[missing].isEmpty()) Fail(names[missing], "the window did not open");
        }
    }

    void Modal(const QString& name, const std::function<void()>& open, const std::function<void(QWidget&)>& inside = {})
    {
        Modal(QStringList{name}, open, inside);
    }

    // A top-level window `open` shows and leaves open (the help window).
    void Window(const QString& name, const char* objectName, const std::function<void()>& open)
    {
        open();
        Settle(300);
        QWidget* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->objectName() == QLatin1String(objectName)) shown = widget;
        }
        Picture(name, shown);
        if (shown) shown->close();
        Settle(100);
    }

    static void Settle(int milliseconds) { QTest::qWait(milliseconds); }

private:
    void Fail(const QString& name, const char* why)
    {
        std::fprintf(stderr, "gallery: %s: %s\n", qPrintable(name), why);
        ++failures;
    }

    static void Close(QWidget& window)
    {
        if (auto* dialog = qobject_cast<QDialog*>(&window)) {
            dialog->reject();
        } else {
            window.close();
        }
    }

    QDir folder_;
};

// Saved games in slots 1 to 4 as a player may have them, with the longest
// name and the widest figures among them.
void PrepareSavedGames(const std::string& baseName)
{
    const store::GameStore games(baseName);
    struct Slot {
        const char* name;
        int32_t credits;
        int32_t borrowed;
    };
    const Slot saved[] = {
        {"Friday night", 1250, 1000},
        {"A name of thirty characters!!", 2147483647, -2147483647 - 1},
        {"Lucky streak", 48210, 3000},
        {"Down on my luck", -2147483647 - 1, 2147483647},
    };
    for (int n = 0; n < 4; ++n) {
        engine::GameState game;
        game.Credits = saved[n].credits;
        game.Borrowed = saved[n].borrowed;
        game.Spins = 100 * (n + 1);
        games.SaveGameSlot(game, n, saved[n].name);
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(dialogs::ApplicationTitle));
    if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: plumfizz-gallery <folder>\n");
        return 2;
    }
    Gallery gallery(QString::fromLocal8Bit(argv[1]));

    desktop::DesktopPlatform platform;
    dialogs::DesktopMessageBoxes boxes;
    const std::string baseName = store::ProgramBaseName(platform.ProgramPath().toStdString());
    PrepareSavedGames(baseName);

    table::MainWindow form(platform, boxes);
    if (!form.StartupSucceeded()) {
        std::fprintf(stderr, "gallery: the table did not start\n");
        return 1;
    }
    form.ShowTable();
    Gallery::Settle(1000);
    gallery.Picture(QStringLiteral("table"), &form);

    // The bonus window: the closed boxes, then boxes opened until both an
    // empty one and a prize have been seen, each in a window of its own.
    bool emptySeen = false;
    bool prizeSeen = false;
    for (int box = 1; box <= 8 && !(emptySeen && prizeSeen); ++box) {
        const auto open = [&] {
            // The window opens without a loop of its own; the gallery waits in one until it closes.
            QEventLoop untilClosed;
            form.Dialogs().OpenBonusWindow(
                engine::BonusPrizeFill, form.Session().Random(), [](engine::Effect) {},
                [&](int) { untilClosed.quit(); });
            untilClosed.exec();
        };
        gallery.Modal(box == 1 ? QStringLiteral("bonus-closed-boxes") : QString(), open, [&](QWidget& window) {
            auto* bonus = qobject_cast<dialogs::BonusWindow*>(&window);
            if (bonus == nullptr) return;
            bonus->OpenBox(box);
            const bool prize = bonus->OpenedContents(box).value_or(0) > 0;
            if (prize ? prizeSeen : emptySeen) return;
            (prize ? prizeSeen : emptySeen) = true;
            gallery.Picture(prize ? QStringLiteral("bonus-prize") : QStringLiteral("bonus-empty-box"), bonus);
        });
    }
    if (!emptySeen || !prizeSeen) {
        std::fprintf(stderr, "gallery: the bonus window showed no %s\n", emptySeen ? "prize" : "empty box");
        ++gallery.failures;
    }

    // The slot dialog in both modes, and the name question from a Save.
    // From the slot dialog its Help opens the manual, in the manual's own look.
    gallery.Modal(
        QStringLiteral("slots-open"), [&] { form.OpenGame1Click(); },
        [&](QWidget& window) {
            if (auto* slotDialog = qobject_cast<dialogs::SlotDialog*>(&window)) {
                gallery.Window(QStringLiteral("help-from-slots"), "HelpWindow", [&] { slotDialog->HelpBtn->click(); });
            }
        });
    gallery.Modal(
        QStringLiteral("slots-save"), [&] { form.SaveGame1Click(); },
        [&](QWidget& window) {
            auto* slotDialog = qobject_cast<dialogs::SlotDialog*>(&window);
            if (slotDialog == nullptr) return;
            gallery.Modal(QStringLiteral("name-question"), [&] { slotDialog->SlotButton(5)->click(); });
        });

    // Borrowing, its refusals (past the limit, paying back more than the
    // debt or than the credits) and its help, each opened by a button of
    // the window; the game's figures are put back afterwards.
    engine::GameState& state = form.Session().State();
    const engine::GameState kept = state;
    const auto borrowing = [&](const QString& name, int32_t credits, int32_t borrowed,
                               const std::function<void(dialogs::BorrowWindow&)>& press) {
        state.Credits = credits;
        state.Borrowed = borrowed;
        gallery.Modal(
            press ? QString() : name, [&] { form.Borrow1Click(); },
            [&](QWidget& window) {
                auto* borrow = qobject_cast<dialogs::BorrowWindow*>(&window);
                if (borrow != nullptr && press) gallery.Modal(name, [&] { press(*borrow); });
            });
    };
    borrowing(QStringLiteral("borrow"), 1000, 1000, {});
    borrowing(QStringLiteral("borrow-refused-over-limit"), 2147483000, 1000,
              [](dialogs::BorrowWindow& borrow) { borrow.Button1000.click(); });
    borrowing(QStringLiteral("borrow-refused-more-than-borrowed"), 5000, 500, [](dialogs::BorrowWindow& borrow) {
        borrow.PayBackRadio.setChecked(true);
        borrow.Button1000.click();
    });
    borrowing(QStringLiteral("borrow-refused-not-enough-credits"), 500, 5000, [](dialogs::BorrowWindow& borrow) {
        borrow.PayBackRadio.setChecked(true);
        borrow.Button1000.click();
    });
    borrowing(QStringLiteral("borrow-help"), 1000, 1000,
              [](dialogs::BorrowWindow& borrow) { borrow.HelpButton.click(); });
    borrowing(QStringLiteral("borrow-extremes"), -2147483647 - 1, 2147483647, {});
    state.Credits = kept.Credits;
    state.Borrowed = kept.Borrowed;

    gallery.Modal(QStringLiteral("statistics"), [&] { form.Stats1Click(); });
    gallery.Modal(QStringLiteral("payoff-chart"), [&] { form.Payoffs1Click(); });
    // Without its file the chart tells so, and shows an empty window.
    const QString chart = form.Settings().assetDir + QStringLiteral("Paychart.bmp");
    const QString hidden = chart + QStringLiteral(".hidden");
    if (QFile::rename(chart, hidden)) {
        gallery.Modal(QStringList{QStringLiteral("payoff-chart-missing")}, [&] { form.Payoffs1Click(); });
        QFile::rename(hidden, chart);
    } else {
        std::fprintf(stderr, "gallery: cannot move %s aside\n", qPrintable(chart));
        ++gallery.failures;
    }
    gallery.Modal(QStringLiteral("version"), [&] { form.Version1Click(); });
    gallery.Window(QStringLiteral("help"), "HelpWindow", [&] { form.ManualItemClick(); });
    gallery.Window(QStringLiteral("company-information"), "HelpWindow", [&] { form.CompayInformation1Click(); });
    gallery.Modal(QStringLiteral("sponsors"), [&] { form.VisitourSponsors1Click(); });
    gallery.Modal(QStringLiteral("history"), [&] { form.HistoryItemClick(); });
    gallery.Modal(QStringLiteral("volume"), [&] { form.VolumeItemClick(); });

    // The boxes the play shows, with the game's own texts.
    gallery.Modal(QStringLiteral("out-of-credits"),
                  [&] { form.Dialogs().ShowInformation(engine::Game::OutOfCreditsMessage); });
    gallery.Modal(QStringLiteral("no-bet"), [&] { form.Dialogs().ShowInformation(engine::Game::NoBetMessage); });
    gallery.Modal(QStringLiteral("update-reminder"), [&] {
        boxes.Confirm(&form, desktop::UpdateReminderText(form.Settings().gameTitle, form.Settings().versionText));
    });
    // A profile that cannot be written: the saved-games file is a folder, so
    // the save after the borrow window closes fails.
    const QString savedGames = QString::fromStdString(store::GameStore(baseName).File().Path().string());
    QFile::remove(savedGames);
    QDir().mkpath(savedGames + QStringLiteral("/blocked"));
    gallery.Modal(QStringList{QString(), QStringLiteral("unwritable-profile")}, [&] { form.Borrow1Click(); });
    QDir(savedGames).removeRecursively();

    form.hide();
    std::printf("%d window(s) did not open\n", gallery.failures);
    return gallery.failures == 0 ? 0 : 1;
}
