// The windows the play opens: message boxes and the bonus window.
#pragma once

#include <functional>
#include <string>

#include "engine/Random.h"
#include "engine/SoundEffects.h"
#include "engine/TableTypes.h"

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

    // Opens the pick-a-box window and returns at once. Its random box comes
    // from the program's generator and its sounds through the play; once the
    // player has picked and seen the prize it closes and `picked` is told
    // the box opened, 1..8 (0 for none).
    virtual void OpenBonusWindow(const engine::BonusPrizes& prizes, engine::Random& random,
                                 std::function<void(engine::Effect)> playEffect, std::function<void(int box)> picked) = 0;
    virtual bool BonusWindowOpen() const = 0;
    // Settles the open bonus window's box now, so that its prize is paid,
    // and closes it (`picked` is told before this returns).
    virtual void FinishBonusWindowNow() = 0;
};

}  // namespace play
