// Running the battery on the game's own generator: its raw output, its low bits, and Random(n)
// for each range the game asks for; one table per source, the spectral test, and a summary.
#include "RandomnessReport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ClosePairs.h"
#include "SpectralTest.h"
#include "engine/Random.h"

namespace par {

namespace {

// The game's generator itself; each word is the seed after one step.
class GameGeneratorWords : public WordSource {
public:
    explicit GameGeneratorWords(uint32_t seed) : random_(seed) {}
    void Fill(uint32_t* words, size_t count) override
    {
        for (size_t i = 0; i < count; ++i) {
            random_(0);
            words[i] = random_.Seed();
        }
    }

private:
    engine::Random random_;
};

enum class SourceKind { RawOutput, LowBits, GameDraws };

struct Source {
    std::string key;
    std::string title;
    DrawRule rule;
    SourceKind kind;
};

// The height of the reel motion picture at the design width: the range of a reel's offset.
constexpr uint64_t ReelOffsetRange = 456;

const std::vector<Source>& Sources()
{
    static const std::vector<Source> sources = {
        {"raw_output", "Raw 32-bit output (the seed after each step)", {WholeWordRange, false}, SourceKind::RawOutput},
        {"low_bits", "Raw output, low 8 bits (never used alone by the game)", {256, true}, SourceKind::LowBits},
        {"random_3", "Random(3): the button-attention picks", {3, false}, SourceKind::GameDraws},
        {"random_8", "Random(8): a random bonus box, and the prize shuffle", {8, false}, SourceKind::GameDraws},
        {"random_30", "Random(30): the reel stops", {30, false}, SourceKind::GameDraws},
        {"random_456",
         "Random(456): the reel offset at the design width",
         {ReelOffsetRange, false},
         SourceKind::GameDraws},
    };
    return sources;
}

using TestRun = std::function<TestResult(DrawStream&, const TestSizes&)>;

const std::vector<TestRun>& Tests()
{
    static const std::vector<TestRun> tests = {
        UniformityTest,
        [](DrawStream& d, const TestSizes& s) { return SerialTest(d, 2, s); },
        [](DrawStream& d, const TestSizes& s) { return SerialTest(d, 3, s); },
        GapTest,
        RunsUpDownTest,
        PokerTest,
        CouponCollectorTest,
        PermutationTest,
        BirthdaySpacingsTest,
        [](DrawStream& d, const TestSizes& s) { return ClosePairTest(d, 2, s); },
        [](DrawStream& d, const TestSizes& s) { return ClosePairTest(d, 3, s); },
        [](DrawStream& d, const TestSizes& s) { return ClosePairTest(d, 4, s); },
        [](DrawStream& d, const TestSizes& s) { return ClosePairTest(d, 5, s); },
    };
    return tests;
}

std::string Fixed(double value, int places)
{
    if (std::isinf(value)) return "inf";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

// Four significant digits, in plain decimals so that CSV and JSON keep it a number.
std::string Probability(double p)
{
    if (p <= 0) return "0";
    const int places = std::clamp(3 - static_cast<int>(std::floor(std::log10(p))), 4, 15);
    return Fixed(p, places);
}

bool IsClosePairs(const TestResult& result)
{
    return result.name.rfind("close pairs", 0) == 0;
}

// One line on why a test failed, from what is known of generators of this kind.
std::string WhyItFails(const Source& source, const TestResult& result)
{
    const bool tooRegular = result.pLower < TailLevel;
    if (source.kind == SourceKind::LowBits) {
        return "bit k of a generator modulo 2^32 repeats with period 2^(k+1), so these 8 bits repeat every 256 "
               "draws; Random(n) takes the high half of seed x n, so the game's draws do not rest on them.";
    }
    if (source.kind == SourceKind::RawOutput && result.name == "birthday spacings") {
        return std::string(
                   "the full words end in the generator's lowest bits, which follow short cycles (bit k "
                   "has period 2^(k+1)), so their differences are far from random and equal spacings "
                   "come ") +
               (tooRegular ? "less" : "more") +
               " often than chance allows; Random(n) takes the high half of seed x n, where this does not show.";
    }
    if (IsClosePairs(result) && source.kind == SourceKind::RawOutput) {
        return "t-tuples of successive outputs lie on the generator's lattice and can come no closer than its "
               "shortest vector, so the nearest of so many points are farther apart than chance allows (Y too "
               "large); the lattice is the high bits', so it shows with the low bits replaced by noise too.";
    }
    if (IsClosePairs(result)) {
        return "a coordinate is several successive draws as digits, fine enough to show the lattice of successive "
               "outputs (see the raw output); the game uses each draw alone, at its own coarse range, where the "
               "serial tests look.";
    }
    if (result.name == "birthday spacings") {
        return "birthdays of several successive draws are points of the generator's lattice (see the spectral "
               "test), which can make spacings repeat; or, if it does not fail again with other seeds (--seed), "
               "chance.";
    }
    return std::string("p is in the ") + (tooRegular ? "lower" : "upper") +
           " 0.5 % tail, which one test in a hundred reaches by chance; a weakness would fail again with other "
           "seeds (--seed).";
}

ReportTable SourceTable(const Source& source, uint32_t seed, const TestSizes& sizes, int& passed, int& total,
                        std::vector<std::string>& closePairFailures)
{
    ReportTable table;
    table.key = source.key;
    table.title = source.title;
    table.columns = {"test", "sample", "statistic", "df", "p", "result"};
    std::vector<std::pair<std::string, std::string>> failures;  // the reason, then the tests it explains
    for (const TestRun& test : Tests()) {
        GameGeneratorWords words(seed);
        DrawStream draws(words, source.rule);
        const TestResult r = test(draws, sizes);
        const bool normal = r.name == "runs up and down";
        const bool count = r.name == "birthday spacings";
        if (IsClosePairs(r) && !r.Passes()) closePairFailures.push_back(source.key + " " + r.name.substr(13, 1));
        table.rows.push_back({r.name, r.sample, count ? Fixed(r.statistic, 0) : Fixed(r.statistic, normal ? 3 : 2),
                              r.degreesOfFreedom >= 0 ? std::to_string(r.degreesOfFreedom) : "", Probability(r.pUpper),
                              r.Passes() ? "pass" : "FAIL"});
        ++total;
        if (r.Passes()) {
            ++passed;
            continue;
        }
        const std::string why = WhyItFails(source, r);
        const auto same = std::find_if(failures.begin(), failures.end(), [&](const auto& f) { return f.first == why; });
        if (same == failures.end()) {
            failures.emplace_back(why, r.name);
        } else {
            same->second += ", " + r.name;
        }
    }
    for (const auto& [why, tests] : failures) {
        table.notes.push_back(tests + (tests.find(',') == std::string::npos ? " fails: " : " fail: ") + why);
    }
    return table;
}

ReportTable SpectralTable(int& passed, int& total, const std::vector<std::string>& closePairFailures)
{
    ReportTable table;
    table.key = "spectral_test";
    table.title = "Spectral test of the generator (a = 134775813, m = 2^32)";
    table.columns = {"t", "nu_t^2", "nu_t", "1/nu_t", "Hermite bound", "nu_t / bound", "mu_t", "result"};
    bool allPass = true;
    for (int t = 2; t <= 8; ++t) {
        const SpectralFigures f = SpectralFiguresFor(engine::Random::Multiplier, WholeWordRange, t);
        const bool pass = f.mu >= 0.1;
        allPass = allPass && pass;
        ++total;
        passed += pass;
        table.rows.push_back({std::to_string(t), std::to_string(f.nuSquared), Fixed(f.nu, 2),
                              Probability(f.hyperplaneSpacing), Fixed(f.hermiteBound, 2), Fixed(f.normalized, 4),
                              Fixed(f.mu, 4), pass ? "pass" : "FAIL"});
    }
    table.notes = {
        "Exact, not sampled: nu_t is the length of the shortest nonzero integer vector s with s_1 + s_2 a + ... + "
        "s_t a^(t-1) = 0 (mod m), found by lattice reduction and exhaustive search. Every t-tuple of successive "
        "outputs / 2^32 lies on parallel hyperplanes 1/nu_t apart.",
        "Hermite bound: the largest nu_t any lattice of determinant m allows, sqrt(gamma_t) m^(1/t) with Hermite's "
        "constant gamma_t; nu_t / bound is the normalised figure of merit (1 is the best possible). mu_t = "
        "pi^(t/2) nu_t^t / ((t/2)! m) is Knuth's figure of merit; the result is his criterion, pass when mu_t >= "
        "0.1 (he applies it to t = 2 to 6; it is shown here to t = 8)."};
    // The same lattice seen from its points: what the close-pair tests above found.
    const bool rawFails = std::any_of(closePairFailures.begin(), closePairFailures.end(),
                                      [](const std::string& f) { return f.rfind("raw_output", 0) == 0; });
    // "raw_output 2", "raw_output 3" ... as "raw_output in 2, 3 dimensions".
    std::string failures;
    std::string lastSource;
    for (const std::string& f : closePairFailures) {
        const std::string key = f.substr(0, f.find(' '));
        const std::string t = f.substr(f.find(' ') + 1);
        if (key != lastSource) {
            if (!lastSource.empty()) failures += " dimensions; ";
            failures += key + " in " + t;
            lastSource = key;
        } else {
            failures += ", " + t;
        }
    }
    if (!failures.empty()) failures += " dimensions";
    table.notes.push_back(
        "Beside the close-pair test: the spectral test measures the lattice by the spacing of its hyperplanes, "
        "exactly; the close-pair test by the distance between its points, sampled. " +
        std::string(rawFails ? "Here the lattice shows in both: t-tuples of successive outputs cannot come closer "
                               "than the lattice's shortest vector, so the nearest pair among so many points is "
                               "farther apart than chance allows, even in dimensions that pass Knuth's criterion."
                             : "Here the close-pair test found nothing on the raw output.") +
        " Close-pair failures: " + (failures.empty() ? "none" : failures) + ".");
    if (!allPass) {
        table.notes.push_back(
            "A failing dimension has its tuples on few, widely spaced hyperplanes: the lattice "
            "structure every linear congruential generator has, coarser here than the bound.");
    }
    return table;
}

}  // namespace

Report RandomnessReport(uint32_t seed, const TestSizes& sizes)
{
    const auto start = std::chrono::steady_clock::now();
    Report report;
    report.title = "Plumfizz Slots - tests of the random generator";
    report.notes = {
        "The game's generator: seed := seed x 134775813 + 1 (mod 2^32) at every draw; Random(n) is the high half of "
        "the new seed x n, so the game's draws come from the seed's high bits.",
        "Every test starts afresh from seed " + std::to_string(seed) + " (--seed S; default " +
            std::to_string(DefaultRandomnessSeed) +
            "), so each figure can be reproduced on its own. What each test "
            "draws is in its sample column; classes are equal groups of the draws (the top bits of raw words).",
        "p is the chance that truly random draws give a statistic at least as large. A test passes at 99 % when "
        "neither tail is below 0.005 (two-sided): p from 0.005 to 0.995, and for the count of birthday spacings "
        "also a chance of at least 0.005 of a count no larger.",
        "Statistics: chi-square with df degrees of freedom (classes expecting fewer than 5 merged with their "
        "neighbours) for uniformity, serial pairs and triples, gap (gaps between draws in the lowest eighth, p "
        "their chance), poker (different classes in hands of 5), coupon collector (draws until every class came) "
        "and permutation (the order of groups of draws, groups with equal draws left out); the standard score z "
        "of the number of turning points for runs up and down; the total number of equal spacings, a Poisson "
        "count, for birthday spacings (birthdays of several draws each, in a year of up to 2^32 days).",
        "Close pairs in t = 2 to 5 dimensions: repetitions of n points in the unit torus, each coordinate a raw "
        "word / 2^32 or several successive draws as digits (as for birthdays); with d the nearest pair's distance "
        "and V_t the volume of the unit ball, Y = n (n - 1) / 2 x V_t d^t is about exponential with mean 1 for "
        "random points (L'Ecuyer's close-pair test, Marsaglia and Tsang's minimum distance test; Y is looked for "
        "up to 20). The statistic is the Anderson-Darling A^2 of the repetitions' 1 - e^(-Y), p its upper tail: "
        "too regular points give Y too large, clustered ones too small."};
    int passed = 0;
    int total = 0;
    std::vector<std::string> closePairFailures;
    for (const Source& source : Sources())
        report.tables.push_back(SourceTable(source, seed, sizes, passed, total, closePairFailures));
    report.tables.push_back(SpectralTable(passed, total, closePairFailures));

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ReportTable summary;
    summary.key = "summary";
    summary.title = "Summary";
    summary.columns = {"figure", "value"};
    summary.rows = {{"tests", std::to_string(total)},
                    {"passed", std::to_string(passed)},
                    {"failed", std::to_string(total - passed)},
                    {"seconds", Fixed(seconds, 2)}};
    summary.notes = {"At 99 % about one sampled test in a hundred fails by chance alone."};
    report.tables.push_back(std::move(summary));
    return report;
}

}  // namespace par
