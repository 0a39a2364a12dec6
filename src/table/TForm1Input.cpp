// The player's input: clicks on the table, keys, and the menu commands.
#include "table/TForm1.h"

#include <QApplication>

#include "dialogs/HelpViewer.h"
#include "dialogs/TAdsForm.h"
#include "dialogs/TBorrowC.h"
#include "dialogs/TPaychart.h"
#include "dialogs/TStatsForm.h"
#include "dialogs/VersionBox.h"
#include "engine/GameState.h"
#include "pictures/TableLayout.h"
#include "web/WebLinks.h"

namespace table {

namespace {

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Whether a point of the table lies in a click area, both ends included.
bool Hits(const pictures::Scaling& scaling, const pictures::layout::ClickArea& area, int x, int y)
{
    const auto s = [&scaling](int n) { return scaling.Scaled(n); };
    return Within(x, s(area.left), s(area.right)) && Within(y, s(area.top), s(area.bottom));
}

}  // namespace

void TForm1::ShowHandlerError(const QString& text)
{
    boxes_.Error(this, QString::fromLatin1(ApplicationTitle), WithFullStop(text));
}

void TForm1::TableMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position)
{
    FormMouseDown(button, modifiers, position.x(), position.y());
}

bool TForm1::TableKeyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    return FormKeyDown(key, modifiers);
}

void TForm1::FormMouseDown(Qt::MouseButton /*button*/, Qt::KeyboardModifiers /*shift*/, int x, int y)
{
    // Hit areas move with the centred table.
    namespace layout = pictures::layout;
    const int tx = x - origin_.x();
    y -= origin_.y();
    if (lifecycle_.AcceptsPlay()) {
        if (Hits(scaling_, layout::ClickAreaOf(layout::BetOneButton), tx, y)) {
            RunPlayerOperation(&engine::Game::BetOne);
        } else if (Hits(scaling_, layout::ClickAreaOf(layout::BetFiveButton), tx, y)) {
            RunPlayerOperation(&engine::Game::BetFive);
        } else if (Hits(scaling_, layout::ClickAreaOf(layout::SpinButton), tx, y)) {
            RunPlayerOperation(&engine::Game::Spin);
        }
    }
    // The bet-one sign on the table, lit or dim.
    if (lifecycle_.AcceptsPlay() && Hits(scaling_, layout::BetSignClickArea, tx, y)) {
        RunPlayerOperation(&engine::Game::BetOne);
    }
}

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers /*shift*/)
{
    void (engine::Game::*operation)() = nullptr;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: operation = &engine::Game::Spin; break;
    case Qt::Key_B: operation = &engine::Game::BetOne; break;
    case Qt::Key_M: operation = &engine::Game::BetFive; break;
    default: return false;
    }
    if (lifecycle_.AcceptsPlay()) RunPlayerOperation(operation);
    return true;
}

void TForm1::RunPlayerOperation(void (engine::Game::*operation)())
{
    // Never nested in a running command: the commands held for it would be
    // released here.
    if (!lifecycle_.BeginCommand()) return;
    const int32_t spinsBefore = State.Spins;
    const int32_t meterBefore = State.BonusPts;
    SetSpinCommandsEnabled(false);
    const bool completed = Guarded([&] { (game_.*operation)(); });
    SetSpinCommandsEnabled(true);
    const bool closeNow = lifecycle_.EndCommand();
    if (!completed) {
        // A spin cut short by an error must not leave the table still: the
        // rules released input, so the buttons call for attention again and
        // the table is shown as it now stands.
        SetTimerEnabled(engine::AttentionTimer::ButtonAttention, true);
        FormPaint();
    }

    // A played spin (or an owed bonus game) is saved again when it ends.
    if (State.Spins != spinsBefore || State.BonusPts != meterBefore) SaveAfterChange();

    // A close that came during the spin was held until its win was counted.
    if (closeNow) close();
}

void TForm1::PlayOwedBonusGame()
{
    if (State.BonusPts >= engine::BonusMeterFull) RunPlayerOperation(&engine::Game::PlayOwedBonusGame);
}

void TForm1::SetSpinCommandsEnabled(bool enabled)
{
    // The commands that change the game would corrupt a spin's payout.
    for (QAction* action : {MainMenu1.NewGame1, MainMenu1.OpenGame1, MainMenu1.SaveGame1, MainMenu1.Borrow1}) {
        if (action) action->setEnabled(enabled);
    }
}

void TForm1::NewGame1Click()
{
    if (lifecycle_.CommandRunning()) return;
    Guarded([this] {
        engine::StartNewGame(State);
        lifecycle_.NewGameStarted();
        FormPaint();
    });
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::Sound1Click()
{
    Guarded([this] { MainMenu1.Sound1->setChecked(sound_.Toggle()); });
}

void TForm1::Music1Click()
{
    Guarded([this] {
        MainMenu1.Music1->setChecked(music_.Toggle());
        if (!music_.LastError().empty()) ShowHandlerError(QString::fromStdString(music_.LastError()));
    });
}

void TForm1::Borrow1Click()
{
    // Borrowing changes Credits: never while a spin is being paid.
    if (lifecycle_.CommandRunning()) return;
    Guarded([this] {
        dialogs::BorrowWindowServices services;
        services.showInformation = [this](const QString& text) {
            QWidget* front = QApplication::activeModalWidget();
            boxes_.Information(front ? front : this, text);
        };
        services.showHelp = [this](int topic) { ShowHelpTopic(topic); };
        dialogs::RunBorrowWindow(State, pictures_, scaling_.LayoutWidth(), std::move(services), this);
        // The table shows the new balance, and the file holds it.
        FormPaint();
        SaveCurrentGame();
    });
}

void TForm1::Stats1Click()
{
    // A snapshot: during a spin the figures are those of the moment it opened.
    Guarded([this] {
        dialogs::TStatsForm form(State, this);
        form.exec();
    });
}

void TForm1::Payoffs1Click()
{
    Guarded([this] {
        dialogs::PaychartServices services;
        services.showError = [this](const QString& text) { ShowHandlerError(text); };
        services.showHelp = [this](int topic) { ShowHelpTopic(topic); };
        dialogs::TPaychart form(assetDir_, std::move(services), this);
        form.exec();
    });
}

void TForm1::Version1Click()
{
    Guarded([this] { boxes_.Information(this, dialogs::VersionBoxText(gameTitle_, versionText_)); });
}

void TForm1::ShowHelpTopic(int topic)
{
    // The help window belongs to the window in front, so that beside a modal
    // dialog it can still be used.
    QWidget* front = QApplication::activeModalWidget();
    QWidget* owner = front ? front : this;
    const QString problem = dialogs::ManualProblem(helpFile_);
    if (!problem.isEmpty()) {
        boxes_.Information(owner, problem);
        return;
    }
    platform_.Help().Show(helpFile_, topic, owner);
}

void TForm1::ManualItemClick()
{
    Guarded([this] { ShowHelpTopic(dialogs::ContentsTopic); });
}

void TForm1::GamesPageItemClick()
{
    Guarded([this] { web::OpenWebPage(web::GamesPage(), this); });
}

void TForm1::CompayInformation1Click()
{
    Guarded([this] { ShowHelpTopic(dialogs::CompanyTopic); });
}

void TForm1::VisitourSponsors1Click()
{
    // Changes nothing of the game, so it may open during a spin like Stats.
    Guarded([this] {
        dialogs::TAdsForm form(random_, assetDir_, this);
        form.exec();
    });
}

}  // namespace table
