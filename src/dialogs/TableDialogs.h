// The modal windows the play opens over the table: message boxes and the
// pick-a-box bonus window.
#pragma once

#include <QString>
#include <QWidget>

#include "dialogs/BonusWindow.h"
#include "dialogs/MessageBoxes.h"
#include "play/Dialogs.h"

namespace dialogs {

class TableDialogs final : public play::Dialogs {
public:
    // Boxes belong to the main window; the bonus window is set up for its screen.
    TableDialogs(QWidget& owner, MessageBoxes& boxes, BonusWindowSetup bonusSetup);

    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowError(const QString& text);
    int RunBonusWindow(engine::GameState& state, const engine::BonusPrizes& prizes, engine::Random& random,
                       const std::function<void(engine::Effect)>& playEffect) override;
    bool BonusWindowOpen() const override;
    void FinishBonusWindowNow() override;
    // The bonus window while RunBonusWindow shows it, or null.
    BonusWindow* OpenBonusWindow() const { return openBonus_; }

private:
    QWidget& owner_;
    MessageBoxes& boxes_;
    BonusWindowSetup bonusSetup_;
    BonusWindow* openBonus_ = nullptr;
};

}  // namespace dialogs
