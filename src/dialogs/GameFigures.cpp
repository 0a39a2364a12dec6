// Computing the statistics from the game's totals and formatting them.
#include "dialogs/GameFigures.h"

namespace dialogs {

GameFigures FiguresOf(const engine::GameState& state)
{
    GameFigures figures;
    figures.payoffs = int64_t{state.Credits} - state.Borrowed + state.TotalBets;
    figures.normalPayoffs = figures.payoffs - state.BonusWon;
    figures.bonusPayoffs = state.BonusWon;
    if (state.TotalBets > 0) {
        figures.percentage = static_cast<double>(figures.payoffs) / state.TotalBets * 100.0;
    }
    return figures;
}

QString CountText(double value, const QLocale& locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(value, 'f', 0).rightJustified(10, QLatin1Char(' '));
}

QString PercentText(double value, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', 2).rightJustified(4, QLatin1Char(' ')) + QLatin1Char('%');
}

}  // namespace dialogs
