// The game slot dialog: panels from the file, opening and saving, every way
// out leaving the running game as it was or exactly the opened slot, a save
// that fails, and names that cannot break the file.
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "dialogs/SlotDialog.h"

namespace {

using dialogs::SlotDialog;
using dialogs::SlotDialogMode;

const char Today[] = "12/07/26";

void ExpectSameGame(const engine::GameState& a, const engine::GameState& b)
{
    EXPECT_EQ(a.Credits, b.Credits);
    EXPECT_EQ(a.Borrowed, b.Borrowed);
    EXPECT_EQ(a.Spins, b.Spins);
    EXPECT_EQ(a.TotalBets, b.TotalBets);
    EXPECT_EQ(a.BonusWon, b.BonusWon);
    EXPECT_EQ(a.BonusPts, b.BonusPts);
    EXPECT_EQ(a.GameName, b.GameName);
    EXPECT_EQ(a.GameDate, b.GameDate);
    EXPECT_EQ(a.BetCoins, b.BetCoins);
    EXPECT_EQ(a.LastBet, b.LastBet);
}

class SlotDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        running.Credits = 997;
        running.Borrowed = 1500;
        running.Spins = 12;
        running.TotalBets = 40;
        running.BonusWon = 25;
        running.BonusPts = 7;
        running.GameName = "CurrentGame";
        running.GameDate = "11/30/26";
        running.BetCoins = 3;
        running.LastBet = 3;
    }

    QString FilePath() const { return dir.path() + QStringLiteral("/plumfizz.ini"); }
    void WriteFile(const QByteArray& text) const
    {
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray FileBytes() const
    {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<SlotDialog> Open(SlotDialogMode mode, const std::string& base = {})
    {
        store = std::make_unique<store::GameStore>(base.empty() ? (dir.path() + "/plumfizz").toStdString() : base,
                                                   [] { return std::string(Today); });
        dialogs::SlotDialogServices services;
        services.showHelp = [this](int topic) { helpTopics.push_back(topic); };
        services.askName = [this](const QString& caption, const QString& initial) {
            askedCaption = caption;
            askedInitial = initial;
            if (duringQuestion) duringQuestion();
            return answer;
        };
        services.showError = [this](const QString& text) { errors.push_back(text); };
        auto form = std::make_unique<SlotDialog>(mode, running, *store, QStringLiteral("Plumfizz Slots"), services);
        form->show();
        return form;
    }

    QTemporaryDir dir;
    std::unique_ptr<store::GameStore> store;
    engine::GameState running;
    std::optional<QString> answer = QStringLiteral("Evening game");
    std::function<void()> duringQuestion;
    QString askedCaption, askedInitial;
    std::vector<int> helpTopics;
    std::vector<QString> errors;
};

const QByteArray ThirdSlot =
    "[GameNo3]\nGameName=Lucky plums\nGameDate=11/02/26\nCredits=2500\nBorrowed=2000\nSpins=310\n"
    "TotalBets=900\nBonusWon=350\nBonusPts=4\n";

TEST_F(SlotDialogTest, PanelsShowTheFileAndTheRunningGameStaysInMemory)
{
    WriteFile(ThirdSlot);
    const engine::GameState before = running;
    auto form = Open(SlotDialogMode::Open);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Open a Game -- Select Game Slot"));
    EXPECT_EQ(form->size(), QSize(616, 360));
    EXPECT_EQ(form->Name3->text(), QStringLiteral("Lucky plums"));
    EXPECT_EQ(form->date3->text(), QStringLiteral("11/02/26"));
    EXPECT_EQ(form->credits3->text(), QStringLiteral("2500 Credits"));
    EXPECT_EQ(form->borrowed3->text(), QStringLiteral("2000 Borrowed"));
    EXPECT_EQ(form->Game3->text(), QStringLiteral("Plumfizz Slots"));
    // A slot never saved shows the store's defaults.
    EXPECT_EQ(form->Name8->text(), QStringLiteral("GameNo8"));
    EXPECT_EQ(form->date8->text(), QString::fromLatin1(Today));
    EXPECT_EQ(form->credits8->text(), QStringLiteral("1000 Credits"));
    EXPECT_EQ(form->SlotButton(3)->parentWidget(), form->Name3->parentWidget());
    EXPECT_EQ(form->focusWidget(), form->CancelBtn);
    // Filling the panels neither loads into the running game nor writes.
    ExpectSameGame(running, before);
    EXPECT_EQ(FileBytes(), ThirdSlot);

    auto saving = Open(SlotDialogMode::Save);
    EXPECT_EQ(saving->windowTitle(), QStringLiteral("Save a Game -- Select Game Slot"));
}

TEST_F(SlotDialogTest, EveryWayOutWithoutChoosingLeavesTheGameAndTheFile)
{
    WriteFile(ThirdSlot);
    const engine::GameState before = running;
    for (SlotDialogMode mode : {SlotDialogMode::Save, SlotDialogMode::Open}) {
        for (int way = 0; way < 3; ++way) {
            auto form = Open(mode);
            form->Name3->setText(QStringLiteral("edited"));
            if (way == 0) QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
            if (way == 1) QTest::keyClick(form.get(), Qt::Key_Escape);
            if (way == 2) form->close();
            EXPECT_FALSE(form->isVisible()) << "way " << way;
            EXPECT_EQ(form->result(), QDialog::Rejected);
            EXPECT_FALSE(form->Opened());
            ExpectSameGame(running, before);
        }
    }
    EXPECT_EQ(FileBytes(), ThirdSlot);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SlotDialogTest, OpeningMakesTheRunningGameExactlyTheSlotWithAnEmptyTable)
{
    WriteFile(ThirdSlot);
    auto form = Open(SlotDialogMode::Open);
    QTest::mouseClick(form->SlotButton(3), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->Opened());
    EXPECT_EQ(running.Credits, 2500);
    EXPECT_EQ(running.Borrowed, 2000);
    EXPECT_EQ(running.Spins, 310);
    EXPECT_EQ(running.TotalBets, 900);
    EXPECT_EQ(running.BonusWon, 350);
    EXPECT_EQ(running.BonusPts, 4);
    EXPECT_EQ(running.GameName, "Lucky plums");
    // The coins on the table belonged to the game that was left.
    EXPECT_EQ(running.BetCoins, 0);
    EXPECT_EQ(running.LastBet, 3);
    // Opening changes no slot; the caller saves the current game.
    EXPECT_EQ(FileBytes(), ThirdSlot);
    EXPECT_FALSE(askedCaption.size()) << "opening asks no name";
}

TEST_F(SlotDialogTest, SavingStoresTheGameWithItsCoinsAndKeepsTheRunningGame)
{
    const engine::GameState before = running;
    auto form = Open(SlotDialogMode::Save);
    QTest::mouseClick(form->SlotButton(3), Qt::LeftButton);
    EXPECT_EQ(askedCaption, QStringLiteral("Name for this saved game?"));
    EXPECT_EQ(askedInitial, QStringLiteral("GameNo3"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ExpectSameGame(running, before);

    engine::GameState saved;
    store->LoadGameSlot(saved, 2);
    EXPECT_EQ(saved.GameName, "Evening game");
    EXPECT_EQ(saved.GameDate, Today);
    EXPECT_EQ(saved.Credits, 1000) << "997 credits and 3 coins on the table";
    EXPECT_EQ(saved.Borrowed, 1500);
    EXPECT_EQ(saved.Spins, 12);
    EXPECT_EQ(saved.BonusPts, 7);
    EXPECT_FALSE(FileBytes().contains("[CurrentGame]"));
    EXPECT_FALSE(FileBytes().contains("[GameNo1]"));
}

TEST_F(SlotDialogTest, CancellingTheNameOrDismissingTheDialogSavesNothing)
{
    answer.reset();
    auto form = Open(SlotDialogMode::Save);
    QTest::mouseClick(form->SlotButton(1), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFile::exists(FilePath()));

    // A signal dismisses the dialog while the question is open: whatever the
    // question answers afterwards, nothing is saved.
    answer = QStringLiteral("too late");
    form = Open(SlotDialogMode::Save);
    SlotDialog* raw = form.get();
    duringQuestion = [raw] { raw->reject(); };
    QTest::mouseClick(form->SlotButton(8), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(FilePath()));
}

TEST_F(SlotDialogTest, ASaveThatFailsIsToldAndTheDialogStaysOpen)
{
    // The settings file's directory is a plain file: nothing can be written.
    const QString blocker = dir.path() + QStringLiteral("/blocked");
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const engine::GameState before = running;
    auto form = Open(SlotDialogMode::Save, (blocker + QStringLiteral("/plumfizz")).toStdString());
    QTest::mouseClick(form->SlotButton(3), Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], QStringLiteral("Unable to write to %1/plumfizz.ini: Not a directory.").arg(blocker));
    EXPECT_TRUE(form->isVisible());
    EXPECT_NE(form->result(), QDialog::Accepted);
    ExpectSameGame(running, before);

    // Enter in a name field tries its own panel once, and no other slot after the failure.
    int questions = 0;
    duringQuestion = [&questions] { ++questions; };
    QApplication::setActiveWindow(form.get());
    form->Name5->setFocus();
    QTest::keyClick(form->Name5, Qt::Key_Return);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(askedInitial, QStringLiteral("GameNo5"));
    EXPECT_EQ(errors.size(), 2u);

    QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    ExpectSameGame(running, before);
}

TEST_F(SlotDialogTest, NamesAreCutAndCannotAddKeysOrSections)
{
    answer = QStringLiteral("Night\n[GameNo1]\r\nCredits=99999") + QString(300, QLatin1Char('x'));
    auto form = Open(SlotDialogMode::Save);
    QTest::mouseClick(form->SlotButton(4), Qt::LeftButton);
    const QByteArray file = FileBytes();
    EXPECT_FALSE(file.contains("[GameNo1]\n")) << file.constData();
    EXPECT_FALSE(file.contains("\nCredits=99999")) << file.constData();
    engine::GameState first;
    store->LoadGameSlot(first, 0);
    EXPECT_EQ(first.Credits, 1000);
    // The stored name is one line of 255 characters.
    const QList<QByteArray> lines = file.split('\n');
    const auto nameLine =
        std::find_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("GameName="); });
    ASSERT_NE(nameLine, lines.end());
    EXPECT_EQ(nameLine->size(), int(sizeof "GameName=") - 1 + dialogs::MaxSavedNameCharacters);

    // The platform's own question takes no more than 255 characters either.
    store::GameStore games((dir.path() + "/other").toStdString());
    SlotDialog plain(SlotDialogMode::Save, running, games, QStringLiteral("Plumfizz Slots"), {});
    plain.show();
    int maxLength = -1;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!box) return;
        if (auto* field = box->findChild<QLineEdit*>()) maxLength = field->maxLength();
        box->reject();
    });
    plain.SlotButtonClick(1);
    EXPECT_EQ(maxLength, dialogs::MaxSavedNameCharacters);
    EXPECT_FALSE(QFile::exists(dir.path() + "/other.ini"));
}

TEST_F(SlotDialogTest, EnterPressesTheFocusedButtonOrChoosesTheFocusedPanel)
{
    WriteFile(ThirdSlot);
    const engine::GameState before = running;
    auto form = Open(SlotDialogMode::Open);
    QTest::keyClick(form->CancelBtn, Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Opened());
    ExpectSameGame(running, before);

    // Saving: Enter in a name field chooses its panel, the name as typed offered.
    form = Open(SlotDialogMode::Save);
    QApplication::setActiveWindow(form.get());
    form->Name3->setFocus();
    form->Name3->selectAll();
    QTest::keyClicks(form->Name3, QStringLiteral("Late"));
    QTest::keyClick(form->Name3, Qt::Key_Return);
    EXPECT_EQ(askedInitial, QStringLiteral("Late"));
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(SlotDialogTest, InOpenModeEnterInANameFieldOpensNothingAndKeepsNoName)
{
    WriteFile(ThirdSlot);
    const engine::GameState before = running;
    auto form = Open(SlotDialogMode::Open);
    QApplication::setActiveWindow(form.get());
    form->Name3->setFocus();
    QTest::keyClicks(form->Name3, QStringLiteral("Renamed"));
    QTest::keyClick(form->Name3, Qt::Key_Return);
    QTest::keyClick(form->Name3, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Opened());
    ExpectSameGame(running, before);
    EXPECT_EQ(FileBytes(), ThirdSlot);
}

TEST_F(SlotDialogTest, HelpAsksItsCallerForTheDialogsTopic)
{
    auto form = Open(SlotDialogMode::Open);
    QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
    EXPECT_EQ(helpTopics, std::vector<int>{41008});
    EXPECT_TRUE(form->isVisible());
}

TEST_F(SlotDialogTest, F1AsksForTheDialogsTopicFromAnyControl)
{
    for (SlotDialogMode mode : {SlotDialogMode::Open, SlotDialogMode::Save}) {
        auto form = Open(mode);
        QApplication::setActiveWindow(form.get());
        QTest::keyClick(form->CancelBtn, Qt::Key_F1);
        form->Name6->setFocus();
        QTest::keyClick(form->Name6, Qt::Key_F1);
        EXPECT_TRUE(form->isVisible());
    }
    EXPECT_EQ(helpTopics, std::vector<int>(4, 41008));
}

TEST_F(SlotDialogTest, EachPanelReadsAsOneItemOnItsButton)
{
    WriteFile(ThirdSlot);
    auto form = Open(SlotDialogMode::Open);
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(form->SlotButton(3)->parentWidget());
    ASSERT_NE(panel, nullptr);
    // The labels are not read apart from the button that reads them all.
    ASSERT_EQ(panel->childCount(), 2);
    EXPECT_EQ(panel->child(0)->role(), QAccessible::EditableText);
    EXPECT_EQ(panel->child(0)->text(QAccessible::Name), QStringLiteral("Slot 3 name"));
    QAccessibleInterface* item = panel->child(1);
    EXPECT_EQ(item->role(), QAccessible::Button);
    EXPECT_EQ(panel->indexOfChild(item), 1);
    EXPECT_EQ(item->text(QAccessible::Name), QStringLiteral("Slot 3, Lucky plums, 2500 credits, 2000 borrowed"));
    EXPECT_TRUE(item->text(QAccessible::Description).contains(QStringLiteral("11/02/26")));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->SlotButton(8))->text(QAccessible::Name),
              QStringLiteral("Slot 8, GameNo8, 1000 credits, 1000 borrowed"));

    // The item follows the name as the player edits it.
    form->Name3->selectAll();
    QTest::keyClicks(form->Name3, QStringLiteral("Sunday"));
    EXPECT_EQ(item->text(QAccessible::Name), QStringLiteral("Slot 3, Sunday, 2500 credits, 2000 borrowed"));
    form->Name3->clear();
    EXPECT_EQ(item->text(QAccessible::Name), QStringLiteral("Slot 3, 2500 credits, 2000 borrowed"));
}

}  // namespace
