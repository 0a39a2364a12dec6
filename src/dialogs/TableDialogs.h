// The modal windows the play opens over the table: message boxes and the
// pick-a-box bonus window.
#pragma once

#include <QPointer>
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
    void OpenBonusWindow(const engine::BonusPrizes& prizes, engine::Random& random,
                         std::function<void(engine::Effect)> playEffect, std::function<void(int box)> picked) override;
    bool BonusWindowOpen() const override;
    void FinishBonusWindowNow() override;
    // The bonus window while it is open, or null.
    BonusWindow* OpenBonus() const { return openBonus_; }

private:
    QWidget& owner_;
    MessageBoxes& boxes_;
    BonusWindowSetup bonusSetup_;
    QPointer<BonusWindow> openBonus_;
};

}  // namespace dialogs
