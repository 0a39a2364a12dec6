// The windows the table opens beside itself: message boxes, the bonus window,
// borrow, statistics, the payoff chart, the version box, the slot dialog, the
// manual and the sponsors. Each is made when opened and gone when closed.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

#include "desktop/Platform.h"
#include "engine/GameState.h"
#include "engine/Random.h"
#include "pictures/PictureSet.h"
#include "play/Dialogs.h"
#include "table/Theme.h"

namespace dialogs {
enum class SlotDialogMode;
}

namespace table {

class SideWindows final : public play::Dialogs {
public:
    // The owner is the main window; boxes and the manual go to the window in front.
    SideWindows(QWidget& owner, desktop::Platform& platform, desktop::MessageBoxes& boxes, const Theme& theme,
                const pictures::PictureSet& pictures);

    // play::Dialogs
    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void RunBonusWindow(engine::GameState& state, const engine::BonusPrizes& prizes, engine::Random& random,
                        const std::function<void(engine::Effect)>& playEffect) override;
    bool BonusWindowOpen() const override;
    void FinishBonusWindowNow() override;

    void ShowError(const QString& text);
    // The borrow window for a table of the given layout width.
    void Borrow(engine::GameState& state, int layoutWidth);
    // A snapshot: during a spin the figures are those of the moment it opened.
    void Statistics(const engine::GameState& state);
    void PayoffChart();
    void Version();
    void Sponsors(engine::Random& random);
    void GamesPage();
    // Open Game or Save Game; true when a game was opened in place of the running one.
    bool Slots(dialogs::SlotDialogMode mode, engine::GameState& state);
    // The update reminder at closing: the question when it is due, the
    // game's page when asked for; why its file could not be written, if so.
    std::optional<QString> UpdateReminder();
    // A logout answers no question: open boxes and dialogs are dismissed so
    // that the command behind them can end and the close can follow.
    void DismissBoxes();
    // The manual at a help topic, for the window in front; a missing manual is told.
    void Help(int topic);

private:
    // The modal window in front, or the main window.
    QWidget* Front() const;

    QWidget& owner_;
    desktop::Platform& platform_;
    desktop::MessageBoxes& boxes_;
    const Theme& theme_;
    const pictures::PictureSet& pictures_;
};

}  // namespace table
