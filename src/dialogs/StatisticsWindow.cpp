// The statistics window: captions and values at their places on a cream
// glass panel, filled once from the game's totals.
#include "dialogs/StatisticsWindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "dialogs/CabinetLook.h"
#include "dialogs/GameFigures.h"
#include "dialogs/KeyboardFocusFrame.h"

namespace dialogs {
namespace {

constexpr QSize ClientSize{632, 207};
constexpr int ValueWidth = 160;
// Room between a caption and the widest text its value can have.
constexpr int CaptionGap = 8;
// The gold rim is 8 pixels deep; a button and its focus frame stay inside it.
constexpr int RimDepth = 11;

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
QLabel* Caption(QDialog& form, const QString& text, int x, int y, bool bold, QLabel& value)
{
    auto* label = new QLabel(text, &form);
    label->setFont(TenPoints(form, bold));
    Colour(*label, Qt::black);
    label->adjustSize();
    label->move(x, y);
    value.setAccessibleName(text.endsWith(QLatin1Char(':')) ? text.chopped(1) : text);
    return label;
}

// The texts a figure can take at the ends of its range: every total at its
// 32-bit extremes, and the 64-bit figures derived from them.
struct ExtremeTexts {
    QStringList spins, credits, borrowed, totalBets, payoffs, normal, bonus, percent;
};

ExtremeTexts ExtremesOf(const QLocale& locale)
{
    constexpr int32_t Least = std::numeric_limits<int32_t>::min();
    constexpr int32_t Most = std::numeric_limits<int32_t>::max();
    ExtremeTexts texts;
    for (const int32_t end : {Least, Most}) {
        texts.spins << CountText(end, locale);
        texts.credits << CountText(end, locale);
        texts.borrowed << CountText(end, locale);
        texts.totalBets << CountText(end, locale);
        texts.bonus << CountText(end, locale);
    }
    // The largest percentage comes with the smallest positive total of bets.
    for (const int32_t credits : {Least, Most}) {
        for (const int32_t borrowed : {Least, Most}) {
            for (const int32_t bets : {Least, int32_t{1}, Most}) {
                for (const int32_t bonus : {Least, Most}) {
                    engine::GameState state;
                    state.Credits = credits;
                    state.Borrowed = borrowed;
                    state.TotalBets = bets;
                    state.BonusWon = bonus;
                    const GameFigures figures = FiguresOf(state);
                    texts.payoffs << CountText(static_cast<double>(figures.payoffs), locale);
                    texts.normal << CountText(static_cast<double>(figures.normalPayoffs), locale);
                    texts.percent << PercentText(figures.percentage, locale);
                }
            }
        }
    }
    return texts;
}

int WidestOf(const QStringList& texts, const QFont& font)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// A value on the line of its caption, right-aligned at its design edge and
// never reaching back under the caption.
struct ValueRow {
    QLabel* value;
    QLabel* caption;
    int right;  // the design's right edge
    bool bold;
    QStringList extremes;
};

// How far the right edges must move so that each row's widest text fits
// between its caption and its edge.
int ShortfallOf(const std::vector<ValueRow>& rows)
{
    int shortfall = 0;
    for (const ValueRow& row : rows) {
        const int widest = WidestOf(row.extremes, TenPoints(*row.value, row.bold));
        const int room = row.right - (row.caption->geometry().right() + 1 + CaptionGap);
        shortfall = std::max(shortfall, widest - room);
    }
    return shortfall;
}

// Places one value: as wide as the design's column, narrowed to end short of its caption.
void PlaceValue(const ValueRow& row, int right, const QString& text)
{
    QLabel& label = *row.value;
    label.setFont(TenPoints(label, row.bold));
    label.setTextFormat(Qt::PlainText);
    label.setText(text);
    label.setAlignment(Qt::AlignRight | Qt::AlignTop);
    const int left = std::max(right - ValueWidth, row.caption->geometry().right() + 1 + CaptionGap);
    label.setGeometry(left, row.caption->y(), right - left, label.sizeHint().height());
    // Read after its name, without the padding that aligns it.
    label.setAccessibleDescription(text.trimmed());
}

}  // namespace

StatisticsWindow::StatisticsWindow(const engine::GameState& state, QWidget* owner, const QLocale& locale)
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
    ApplyCabinetLook(*this);
    for (QLabel* value :
         {&SpinsLabel, &CreditsLabel, &BorrowedLabel, &TotalBetsLabel, &PayoffsLabel, &NormalLabel, &BonusLabel}) {
        Colour(*value, Qt::black);
    }
    Colour(PercentLabel, QColor(0xc0, 0x00, 0x00));

    const ExtremeTexts extremes = ExtremesOf(locale);
    const std::vector<ValueRow> left{
        {&SpinsLabel, Caption(*this, QStringLiteral("Spins:"), 12, 14, false, SpinsLabel), 281, true, extremes.spins},
        {&CreditsLabel, Caption(*this, QStringLiteral("Credits:"), 12, 70, false, CreditsLabel), 281, true,
         extremes.credits},
        {&BorrowedLabel, Caption(*this, QStringLiteral("Borrowed:"), 12, 126, false, BorrowedLabel), 281, true,
         extremes.borrowed},
    };
    const int leftShortfall = std::max(0, ShortfallOf(left));
    // The right panel moves over by what the left one grows.
    const int x = 340 + leftShortfall;
    const std::vector<ValueRow> right{
        {&TotalBetsLabel, Caption(*this, QStringLiteral("Total Bets:"), x, 14, false, TotalBetsLabel), 609, true,
         extremes.totalBets},
        {&PayoffsLabel, Caption(*this, QStringLiteral("Payoffs:"), x, 46, false, PayoffsLabel), 609, true,
         extremes.payoffs},
        {&NormalLabel, Caption(*this, QStringLiteral("Normal:"), x + 24, 70, false, NormalLabel), 585, false,
         extremes.normal},
        {&BonusLabel, Caption(*this, QStringLiteral("Bonus:"), x + 24, 94, false, BonusLabel), 585, false,
         extremes.bonus},
        {&PercentLabel, Caption(*this, QStringLiteral("Overall Payoff Percentage:"), x, 126, true, PercentLabel), 617,
         true, extremes.percent},
    };
    std::vector<ValueRow> shifted = right;
    for (ValueRow& row : shifted) row.right += leftShortfall;
    const int rightShortfall = std::max(0, ShortfallOf(shifted));
    leftGrowth_ = leftShortfall;
    rightGrowth_ = rightShortfall;
    setFixedSize(ClientSize.width() + leftShortfall + rightShortfall, ClientSize.height());

    OKButton.setGeometry(width() - RimDepth - 89, height() - RimDepth - 33, 89, 33);
    OKButton.setDefault(true);
    connect(&OKButton, &QPushButton::clicked, this, &QDialog::accept);
    OKButton.setFocus();
    ShowKeyboardFocus(*this, CabinetGold);

    const GameFigures figures = FiguresOf(state);
    const auto place = [&](const ValueRow& row, int growth, const QString& text) {
        PlaceValue(row, row.right + growth, text);
    };
    place(left[0], leftShortfall, CountText(state.Spins, locale));
    place(left[1], leftShortfall, CountText(state.Credits, locale));
    place(left[2], leftShortfall, CountText(state.Borrowed, locale));
    const int growth = leftShortfall + rightShortfall;
    place(right[0], growth, CountText(state.TotalBets, locale));
    place(right[1], growth, CountText(static_cast<double>(figures.payoffs), locale));
    place(right[2], growth, CountText(static_cast<double>(figures.normalPayoffs), locale));
    place(right[3], growth, CountText(static_cast<double>(figures.bonusPayoffs), locale));
    place(right[4], growth, PercentText(figures.percentage, locale));

    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void StatisticsWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintCabinetBackground(painter, rect());
    PaintGlassPanel(painter, QRect(4, 6, 302 + leftGrowth_, 150));
    PaintGlassPanel(painter, QRect(330 + leftGrowth_, 6, 296 + rightGrowth_, 150));
}

}  // namespace dialogs
