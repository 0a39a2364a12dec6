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

int TableDialogs::RunBonusWindow(engine::GameState& state, const engine::BonusPrizes& prizes, engine::Random& random,
                                 const std::function<void(engine::Effect)>& playEffect)
{
    BonusWindowServices services;
    services.playSoundEffect = playEffect;
    services.random = [&random](int32_t n) { return random(n); };
    services.showInformation = [this](const QString& text) { boxes_.Information(&owner_, text); };
    return dialogs::RunBonusWindow(state, prizes, bonusSetup_, std::move(services), &owner_, &openBonus_);
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
