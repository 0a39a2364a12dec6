// The statistics window: captions and values at their places on a cream
// glass panel, filled once from the game's totals.
#include "dialogs/TStatsForm.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "dialogs/CabinetLook.h"
#include "dialogs/GameFigures.h"
#include "dialogs/KeyboardFocusFrame.h"

namespace dialogs {
namespace {

constexpr QSize ClientSize{632, 207};
constexpr int ValueWidth = 160;

QFont TenPoints(const QWidget& widget, bool bold)
{
    QFont font = widget.font();
    font.setPointSize(10);
    font.setBold(bold);
    return font;
}

void Colour(QLabel& label, const QColor& colour)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

// A caption label with its top-left corner at (x, y); a screen reader names
// the caption's value by it ("Credits" for "Credits:").
void Caption(QDialog& form, const QString& text, int x, int y, bool bold, QLabel& value)
{
    auto* label = new QLabel(text, &form);
    label->setFont(TenPoints(form, bold));
    Colour(*label, Qt::black);
    label->adjustSize();
    label->move(x, y);
    value.setAccessibleName(text.endsWith(QLatin1Char(':')) ? text.chopped(1) : text);
}

// A value label whose right edge is at `right`, on the line of its caption.
void PlaceValue(QLabel& label, const QString& text, int right, int y, bool bold)
{
    label.setFont(TenPoints(label, bold));
    label.setTextFormat(Qt::PlainText);
    label.setText(text);
    label.setAlignment(Qt::AlignRight | Qt::AlignTop);
    label.setGeometry(right - ValueWidth, y, ValueWidth, label.sizeHint().height());
    // Read after its name, without the padding that aligns it.
    label.setAccessibleDescription(text.trimmed());
}

}  // namespace

TStatsForm::TStatsForm(const engine::GameState& state, QWidget* owner, const QLocale& locale)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      SpinsLabel(this),
      CreditsLabel(this),
      BorrowedLabel(this),
      TotalBetsLabel(this),
      PayoffsLabel(this),
      NormalLabel(this),
      BonusLabel(this),
      PercentLabel(this),
      OKButton(QStringLiteral("OK"), this)
{
    setWindowTitle(QStringLiteral("Your Game Statistics"));
    setFixedSize(ClientSize);
    ApplyCabinetLook(*this);
    for (QLabel* value :
         {&SpinsLabel, &CreditsLabel, &BorrowedLabel, &TotalBetsLabel, &PayoffsLabel, &NormalLabel, &BonusLabel}) {
        Colour(*value, Qt::black);
    }
    Colour(PercentLabel, QColor(0xc0, 0x00, 0x00));

    Caption(*this, QStringLiteral("Spins:"), 12, 14, false, SpinsLabel);
    Caption(*this, QStringLiteral("Credits:"), 12, 70, false, CreditsLabel);
    Caption(*this, QStringLiteral("Borrowed:"), 12, 126, false, BorrowedLabel);
    Caption(*this, QStringLiteral("Total Bets:"), 340, 14, false, TotalBetsLabel);
    Caption(*this, QStringLiteral("Payoffs:"), 340, 46, false, PayoffsLabel);
    Caption(*this, QStringLiteral("Normal:"), 364, 70, false, NormalLabel);
    Caption(*this, QStringLiteral("Bonus:"), 364, 94, false, BonusLabel);
    Caption(*this, QStringLiteral("Overall Payoff Percentage:"), 340, 126, true, PercentLabel);

    OKButton.setGeometry(536, 168, 89, 33);
    OKButton.setDefault(true);
    connect(&OKButton, &QPushButton::clicked, this, &QDialog::accept);
    OKButton.setFocus();
    ShowKeyboardFocus(*this, CabinetGold);

    FormCreate(state, locale);

    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void TStatsForm::FormCreate(const engine::GameState& state, const QLocale& locale)
{
    const GameFigures figures = FiguresOf(state);
    PlaceValue(SpinsLabel, CountText(state.Spins, locale), 281, 14, true);
    PlaceValue(CreditsLabel, CountText(state.Credits, locale), 281, 70, true);
    PlaceValue(BorrowedLabel, CountText(state.Borrowed, locale), 281, 126, true);
    PlaceValue(PayoffsLabel, CountText(static_cast<double>(figures.payoffs), locale), 609, 46, true);
    PlaceValue(NormalLabel, CountText(static_cast<double>(figures.normalPayoffs), locale), 585, 70, false);
    PlaceValue(PercentLabel, PercentText(figures.percentage, locale), 617, 126, true);
    PlaceValue(TotalBetsLabel, CountText(state.TotalBets, locale), 609, 14, true);
    PlaceValue(BonusLabel, CountText(static_cast<double>(figures.bonusPayoffs), locale), 585, 94, false);
}

void TStatsForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintCabinetBackground(painter, rect());
    PaintGlassPanel(painter, QRect(4, 6, 302, 150));
    PaintGlassPanel(painter, QRect(330, 6, 296, 150));
}

}  // namespace dialogs
