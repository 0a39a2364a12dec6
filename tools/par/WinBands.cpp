// Sorting a spin's win distribution into bands of the bet.
#include "WinBands.h"

#include <stdexcept>

namespace par {

namespace {

std::string BandName(size_t band)
{
    if (band == 0) return "0";
    if (band == WinBandCount - 1) return "above " + std::to_string(WinBandEdges.back()) + "x";
    const std::string low = band == 1 ? "0" : std::to_string(WinBandEdges[band - 2]) + "x";
    return "(" + low + ", " + std::to_string(WinBandEdges[band - 1]) + "x]";
}

std::string OneIn(const Fraction& chance)
{
    return chance.IsZero() ? "never" : (Fraction(1) / chance).ToDecimal(1);
}

}  // namespace

size_t WinBandOf(int64_t win, int32_t coins)
{
    if (win <= 0) return 0;
    for (size_t i = 0; i < WinBandEdges.size(); ++i) {
        if (win <= int64_t{WinBandEdges[i]} * coins) return i + 1;
    }
    return WinBandCount - 1;
}

WinBandFigures BandWins(const WinDistribution& wins, int32_t coins)
{
    if (coins <= 0) throw std::domain_error("a bet of at least one coin");
    WinBandFigures figures;
    figures.coins = coins;
    std::array<Fraction, WinBandCount> paid;
    for (size_t band = 0; band < WinBandCount; ++band) {
        figures.bands[band].name = BandName(band);
        figures.bands[band].probability = Fraction(0);
        paid[band] = Fraction(0);
    }
    figures.meanWin = Fraction(0);
    figures.largestWinChance = Fraction(0);
    for (const auto& [win, chance] : wins) {
        if (win < 0) throw std::domain_error("a negative win");
        if (chance.IsZero()) continue;
        const size_t band = WinBandOf(win, coins);
        figures.bands[band].probability += chance;
        paid[band] += chance * Fraction(win);
        figures.meanWin += chance * Fraction(win);
        if (win >= figures.largestWin) {
            figures.largestWin = win;
            figures.largestWinChance = chance;
        }
    }
    for (size_t band = 0; band < WinBandCount; ++band) {
        figures.bands[band].returnShare = figures.meanWin.IsZero() ? Fraction(0) : paid[band] / figures.meanWin;
    }
    return figures;
}

ReportTable WinBandTable(const WinBandFigures& f, bool exact)
{
    auto figure = [exact](const Fraction& value) { return exact ? value.ToString() : value.ToDecimal(8); };
    ReportTable t;
    t.key = "win_bands_bet_" + std::to_string(f.coins);
    t.title = "One spin's total win at " + std::to_string(f.coins) + (f.coins == 1 ? " coin" : " coins") +
              ", in bands of the bet";
    t.columns = {"win", "probability", "1 in", "share of the return"};
    Fraction total(0);
    for (const WinBand& band : f.bands) {
        t.rows.push_back({band.name, figure(band.probability), OneIn(band.probability), figure(band.returnShare)});
        total += band.probability;
    }
    t.rows.push_back({"all", figure(total), "", f.meanWin.IsZero() ? figure(Fraction(0)) : figure(Fraction(1))});
    t.notes = {
        "The win is the pay table's and the bonus prize of a spin that fills the meter, together, with the "
        "meter at each level in its long-run share; (a, b] holds wins above a times the bet up to b times. "
        "Mean win " +
        figure(f.meanWin) + " credits per spin; the largest win is " + std::to_string(f.largestWin) + " credits (" +
        (Fraction(f.largestWin) / Fraction(f.coins)).ToDecimal(1) + "x the bet), 1 in " + OneIn(f.largestWinChance) +
        " spins."};
    return t;
}

}  // namespace par
