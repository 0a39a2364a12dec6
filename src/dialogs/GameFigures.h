// The statistics window's figures, derived from the game's totals, and the
// two formats they are shown in.
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

#include "engine/GameState.h"

namespace dialogs {

struct GameFigures {
    int64_t payoffs = 0;        // Credits − Borrowed + TotalBets: what wins and bonus prizes paid
    int64_t normalPayoffs = 0;  // payoffs − BonusWon
    int64_t bonusPayoffs = 0;   // BonusWon
    double percentage = 0;      // payoffs ÷ TotalBets × 100; 0 before the first bet
};

// Computed in 64 bits: three 32-bit amounts can sum past the 32-bit range.
GameFigures FiguresOf(const engine::GameState& state);

// A count with no decimals, grouped by the locale's thousands separator,
// padded on the left to ten characters ("     12,345").
QString CountText(double value, const QLocale& locale = QLocale());

// Two decimals with the locale's decimal separator, padded on the left to
// four characters, then "%" ("93.75%").
QString PercentText(double value, const QLocale& locale = QLocale());

}  // namespace dialogs
