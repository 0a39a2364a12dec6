// The modal windows the play opens: message boxes and the bonus window.
#pragma once

#include <functional>
#include <string>

#include "engine/GameState.h"
#include "engine/Host.h"
#include "engine/Random.h"

namespace play {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // "Information", with an OK button.
    virtual void ShowInformation(const std::string& text) = 0;
    // An error box captioned with the application title; a full stop is
    // added to a text without one.
    virtual void ShowError(const std::string& text) = 0;
    // News the player need not answer at once (the game history cannot be
    // kept for now, or is kept again), told between spins. A window should
    // show it without taking a key meant for the table; by default it is an
    // error box.
    virtual void ShowNotice(const std::string& text) { ShowError(text); }

    // The pick-a-box window, until the player has picked and seen the prize.
    // It sets SpinWin to the prize and adds it to BonusWon; its random box
    // comes from the program's generator and its sounds through the play.
    // Returns the box opened, 1..8 (0 for none).
    virtual int RunBonusWindow(engine::GameState& state, const engine::BonusPrizes& prizes, engine::Random& random,
                               const std::function<void(engine::Effect)>& playEffect) = 0;
    virtual bool BonusWindowOpen() const = 0;
    // Settles the open bonus window's box now, so that its prize is paid.
    virtual void FinishBonusWindowNow() = 0;
};

}  // namespace play
