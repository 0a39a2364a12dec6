// The game slot dialog: its panels filled from the store, the slot buttons and
// Enter in a name field in both modes, Help and F1, and the failure of a save.
#include "SlotDialog.h"

#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <exception>
#include <utility>

#include "dialogs/CabinetLook.h"
#include "dialogs/DialogAccessibility.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/SlotDialogLook.h"

namespace dialogs {

QString SavedGameName(const QString& typed)
{
    QString name = typed.left(MaxSavedNameCharacters);
    if (name.size() == MaxSavedNameCharacters && name.back().isHighSurrogate()) name.chop(1);
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            c = QLatin1Char(' ');
        }
    }
    return name;
}

std::unique_ptr<QInputDialog> MakeNameQuestion(const QString& initial, QWidget* owner)
{
    auto box = std::make_unique<QInputDialog>(owner);
    ApplyCabinetLook(*box);
    box->setWindowTitle(QString::fromLatin1(NameQuestionCaption));
    box->setLabelText(QString());
    box->setTextValue(initial);
    // The dialog's layout sets its least size: the field makes it wide
    // enough for a window manager to show the whole caption.
    if (auto* field = box->findChild<QLineEdit*>()) {
        field->setMaxLength(MaxSavedNameCharacters);
        field->setMinimumWidth(CaptionMinimumWidth(box->windowTitle()));
    }
    return box;
}

SlotDialog::SlotDialog(SlotDialogMode mode, engine::GameState& state, const store::GameStore& store,
                       const QString& gameTitle, SlotDialogServices services, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      mode_(mode),
      state_(state),
      store_(store),
      services_(std::move(services))
{
    FormCreate(gameTitle);
}

void SlotDialog::FormCreate(const QString& gameTitle)
{
    setWindowTitle(mode_ == SlotDialogMode::Save ? QStringLiteral("Save a Game -- Select Game Slot")
                                                 : QStringLiteral("Open a Game -- Select Game Slot"));
    setFixedSize(slotlook::ClientSize);
    slotlook::StyleDialog(*this);
    InstallDialogAccessibility();

    for (int n = 1; n <= 8; ++n) {
        Panel& panel = panels_[n - 1];
        QWidget* frame = slotlook::MakePanel(*this, n);
        panel.name = slotlook::MakeNameField(*frame);
        panel.game = slotlook::MakeLabel(*frame, slotlook::GameLabel);
        panel.date = slotlook::MakeLabel(*frame, slotlook::DateLabel);
        panel.credits = slotlook::MakeLabel(*frame, slotlook::CreditsLabel);
        panel.borrowed = slotlook::MakeLabel(*frame, slotlook::BorrowedLabel);
        panel.button = slotlook::MakeSlotButton(*frame, n, mode_ == SlotDialogMode::Save);
        connect(panel.button, &QPushButton::clicked, this, [this, n] { SlotButtonClick(n); });
        // Enter in a name field is the dialog's to handle (eventFilter).
        panel.name->installEventFilter(this);

        // Filled from a scratch record: the running game stays as it is.
        engine::GameState slot;
        store_.LoadGameSlot(slot, n - 1);
        panel.name->setText(QString::fromStdString(slot.GameName));
        panel.name->setCursorPosition(0);
        panel.game->setText(gameTitle);
        panel.date->setText(QString::fromStdString(slot.GameDate));
        panel.credits->setText(QString::number(slot.Credits) + QStringLiteral(" Credits"));
        panel.borrowed->setText(QString::number(slot.Borrowed) + QStringLiteral(" Borrowed"));

        // Each panel reads as one item, on its button, kept up to date as the name is edited.
        panel.creditsShown = slot.Credits;
        panel.borrowedShown = slot.Borrowed;
        panel.name->setAccessibleName(QStringLiteral("Slot %1 name").arg(n));
        panel.button->setAccessibleDescription(
            QStringLiteral("%1; dated %2").arg(panel.button->toolTip(), panel.date->text()));
        UpdateSlotItem(n);
        connect(panel.name, &QLineEdit::textChanged, this, [this, n] { UpdateSlotItem(n); });
    }

    HelpBtn = slotlook::MakeDialogButton(*this, QStringLiteral("&Help"), slotlook::HelpButtonPosition);
    CancelBtn = slotlook::MakeDialogButton(*this, QStringLiteral("&Cancel"), slotlook::CancelButtonPosition);
    connect(HelpBtn, &QPushButton::clicked, this, &SlotDialog::HelpBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    const auto& p = panels_;
    Name1 = p[0].name, Name2 = p[1].name, Name3 = p[2].name, Name4 = p[3].name;
    Name5 = p[4].name, Name6 = p[5].name, Name7 = p[6].name, Name8 = p[7].name;
    Game1 = p[0].game, Game2 = p[1].game, Game3 = p[2].game, Game4 = p[3].game;
    Game5 = p[4].game, Game6 = p[5].game, Game7 = p[6].game, Game8 = p[7].game;
    date1 = p[0].date, date2 = p[1].date, date3 = p[2].date, date4 = p[3].date;
    date5 = p[4].date, date6 = p[5].date, date7 = p[6].date, date8 = p[7].date;
    credits1 = p[0].credits, credits2 = p[1].credits, credits3 = p[2].credits, credits4 = p[3].credits;
    credits5 = p[4].credits, credits6 = p[5].credits, credits7 = p[6].credits, credits8 = p[7].credits;
    borrowed1 = p[0].borrowed, borrowed2 = p[1].borrowed, borrowed3 = p[2].borrowed, borrowed4 = p[3].borrowed;
    borrowed5 = p[4].borrowed, borrowed6 = p[5].borrowed, borrowed7 = p[6].borrowed, borrowed8 = p[7].borrowed;

    // Keyboard order: the panels left column first, then Help and Cancel.
    // Enter presses the button that has the focus: Cancel at first, so Enter
    // at once does no harm.
    QWidget* previous = nullptr;
    for (const Panel& panel : panels_) {
        for (QWidget* w : {static_cast<QWidget*>(panel.name), static_cast<QWidget*>(panel.button)}) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, HelpBtn);
    setTabOrder(HelpBtn, CancelBtn);
    CancelBtn->setFocus();
}

void SlotDialog::UpdateSlotItem(int n)
{
    const Panel& panel = panels_[n - 1];
    QString item = QStringLiteral("Slot %1").arg(n);
    if (!panel.name->text().isEmpty()) item += QStringLiteral(", ") + panel.name->text();
    item += QStringLiteral(", %1 credits, %2 borrowed").arg(panel.creditsShown).arg(panel.borrowedShown);
    panel.button->setAccessibleName(item);
}

void SlotDialog::SlotButtonClick(int tag)
{
    if (tag < 1 || tag > 8) return;
    if (mode_ == SlotDialogMode::Open) {
        OpenFrom(tag - 1);
    } else {
        SaveInto(tag - 1);
    }
}

void SlotDialog::SaveInto(int slot)
{
    const QString caption = QString::fromLatin1(NameQuestionCaption);
    const QString initial = panels_[slot].name->text().left(MaxSavedNameCharacters);
    std::optional<QString> typed;
    if (services_.askName) {
        typed = services_.askName(caption, initial);
    } else {
        const std::unique_ptr<QInputDialog> box = MakeNameQuestion(initial, this);
        if (box->exec() == QDialog::Accepted) typed = box->textValue();
    }
    // Dismissed meanwhile (a signal): nothing is saved, the dismissal stands.
    if (closed_) return;
    // The question cancelled: nothing is saved, and the dialog closes.
    if (!typed) {
        accept();
        return;
    }
    const QString name = SavedGameName(*typed);
    try {
        store_.SaveGameSlot(engine::WithCoinsReturned(state_), slot, name.toStdString());
    } catch (const std::exception& error) {
        // Nothing was saved: the player may choose another slot or cancel.
        ShowError(QString::fromUtf8(error.what()));
        return;
    }
    panels_[slot].name->setText(name);
    accept();
}

void SlotDialog::OpenFrom(int slot)
{
    engine::GameState opened;
    store_.LoadGameSlot(opened, slot);
    // The game that is left takes its coins with it.
    state_.Credits = opened.Credits;
    state_.Borrowed = opened.Borrowed;
    state_.Spins = opened.Spins;
    state_.TotalBets = opened.TotalBets;
    state_.BonusWon = opened.BonusWon;
    state_.BonusPts = opened.BonusPts;
    state_.GameName = opened.GameName;
    state_.GameDate = opened.GameDate;
    state_.BetCoins = 0;
    opened_ = true;
    accept();
}

void SlotDialog::done(int result)
{
    closed_ = true;
    QDialog::done(result);
}

void SlotDialog::paintEvent(QPaintEvent* /*event*/)
{
    slotlook::PaintBackground(*this);
}

void SlotDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        event->accept();
        HelpBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool SlotDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto panel = std::ranges::find_if(panels_, [watched](const Panel& p) { return p.name == watched; });
        if (panel != panels_.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            // Saving: Enter chooses the field's panel, as its button would.
            // Opening uses no name: Enter there must not replace the running game.
            if (mode_ == SlotDialogMode::Save) SlotButtonClick(static_cast<int>(panel - panels_.begin()) + 1);
            // Taken here, so that it presses no default button as well (after
            // a failed save, that would save again, into another slot).
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SlotDialog::HelpBtnClick()
{
    if (services_.showHelp) services_.showHelp(SlotDialogHelpTopic);
}

void SlotDialog::ShowError(const QString& text)
{
    const QString shown = text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
    if (services_.showError) {
        services_.showError(shown);
    } else {
        MakeMessageBox(BoxIcon::Error, QStringLiteral("Error"), shown, QMessageBox::Ok, this)->exec();
    }
}

}  // namespace dialogs
