// Message boxes and the bonus window, as the play asks for them.
#include "dialogs/TableDialogs.h"

#include <utility>

namespace dialogs {

TableDialogs::TableDialogs(QWidget& owner, MessageBoxes& boxes, BonusWindowSetup bonusSetup)
    : owner_(owner), boxes_(boxes), bonusSetup_(std::move(bonusSetup))
{}

void TableDialogs::ShowInformation(const std::string& text)
{
    boxes_.Information(&owner_, QString::fromStdString(text));
}

void TableDialogs::ShowError(const std::string& text)
{
    ShowError(QString::fromStdString(text));
}

void TableDialogs::ShowError(const QString& text)
{
    boxes_.Error(&owner_, QString::fromLatin1(ApplicationTitle), WithFullStop(text));
}

void TableDialogs::OpenBonusWindow(const engine::BonusPrizes& prizes, engine::Random& random,
                                   std::function<void(engine::Effect)> playEffect, std::function<void(int box)> picked)
{
    BonusWindowServices services;
    services.playSoundEffect = std::move(playEffect);
    services.random = [&random](int32_t n) { return random(n); };
    services.showInformation = [this](const QString& text) { boxes_.OpenInformation(openBonus_.data(), text); };
    services.picked = [this, picked = std::move(picked)](int box) {
        openBonus_ = nullptr;
        picked(box);
    };
    openBonus_ = dialogs::OpenBonusWindow(prizes, bonusSetup_, std::move(services), &owner_);
}

bool TableDialogs::BonusWindowOpen() const
{
    return openBonus_ != nullptr;
}

void TableDialogs::FinishBonusWindowNow()
{
    if (openBonus_) openBonus_->FinishNow();
}

}  // namespace dialogs
