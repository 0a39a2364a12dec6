// Open Game and Save Game: the game slot dialog run from the menu, and the
// manual's topics it asks for.

#include "dialogs/TLoadSave.h"
#include "store/GameStore.h"
#include "table/TForm1.h"

namespace table {

void TForm1::OpenGame1Click()
{
    RunSlotDialog(dialogs::SlotDialogMode::Open);
}

void TForm1::SaveGame1Click()
{
    RunSlotDialog(dialogs::SlotDialogMode::Save);
}

void TForm1::RunSlotDialog(dialogs::SlotDialogMode mode)
{
    // Not inside a spin, nor inside another dialog; a close or a signal that
    // comes while it is open waits for it to end.
    if (lifecycle_.CommandRunning() || !lifecycle_.BeginDialog()) return;
    bool opened = false;
    Guarded([&] {
        dialogs::SlotDialogServices services;
        services.showHelp = [this](int topic) { ShowHelpTopic(topic); };
        services.showError = [this](const QString& text) { ShowHandlerError(text); };
        const store::GameStore games(programBaseName_.toStdString());
        dialogs::TLoadSave form(mode, State, games, gameTitle_, std::move(services), this);
        form.exec();
        opened = form.Opened();
    });
    const bool closeNow = lifecycle_.EndDialog();
    if (opened) {
        // The opened game is the current game from now on.
        SaveAfterChange();
        Guarded([this] { FormPaint(); });
    }
    if (closeNow) close();
}

}  // namespace table
