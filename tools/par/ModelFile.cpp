// Writing a model as commented text, and reading it back strictly, line by line.
#include "ModelFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <vector>

#include "CombinationTable.h"
#include "MeterChain.h"
#include "ModelLines.h"
#include "Names.h"

namespace par {

namespace {

constexpr const char* Header = "plumfizz-par-model";
constexpr const char* Version = "1";

// The words of the file for symbols 0..4, then blank and Reset.
constexpr std::array<const char*, ModelSymbols> SymbolWords{"plum", "seven", "triple-bar", "double-bar", "single-bar"};
constexpr const char* BlankWord = "blank";
constexpr const char* ResetWord = "reset";

constexpr std::array<const char*, engine::PayRuleCount> RuleWords{
    "three-plums",       "three-sevens",      "two-plums",  "three-triple-bars",
    "three-double-bars", "three-single-bars", "mixed-bars", "one-plum"};

const char* FormWord(Form form)
{
    switch (form) {
    case Form::Up: return "up";
    case Form::Down: return "down";
    case Form::Bonus: return "bonus";
    case Form::Plain:
    case Form::Reset: break;
    }
    return "";
}

std::string SymbolWord(const StripPosition& p)
{
    if (p.form == Form::Reset) return ResetWord;
    if (p.symbol >= 0 && p.symbol < ModelSymbols) return SymbolWords[static_cast<size_t>(p.symbol)];
    return BlankWord;
}

}  // namespace

void WriteModel(const SlotModel& model, std::ostream& out)
{
    out << "# A slot machine's model for plumfizz-par --model: reel strips, pay table, bonus meter, prizes.\n"
           "# One fact a line; '#' starts a comment; the sections come in this order, each once.\n"
        << Header << ' ' << Version << "\n\n"
        << "# Reel strips: 'reel R', then its 30 positions in order as 'POSITION SYMBOL [FORM]'.\n"
           "# SYMBOL: plum, seven, triple-bar, double-bar, single-bar, blank, or reset (the Reset symbol,\n"
           "# which matches no rule). FORM: up or down (the reel nudges one position to bring it onto the\n"
           "# payline) or bonus (it adds its symbol's points to the meter). Each stop is equally likely; a reel\n"
           "# that stops at p shows p, p + 1 and p + 2, with p + 1 on the payline.\n";
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        out << "reel " << reel + 1 << '\n';
        for (int32_t position = 1; position <= engine::StripLength; ++position) {
            const StripPosition& p = model.At(reel, position);
            out << position << ' ' << SymbolWord(p);
            if (p.form != Form::Plain && p.form != Form::Reset) out << ' ' << FormWord(p.form);
            out << '\n';
        }
    }
    out << "\n# Pay table: the win per coin of each rule (0 to " << MaxFactor
        << "), in the order the rules are tried;\n# only the first rule that matches pays.\n";
    for (int rule = 0; rule < engine::PayRuleCount; ++rule) {
        out << "pay " << RuleWords[static_cast<size_t>(rule)] << ' ' << model.payFactors[static_cast<size_t>(rule)]
            << "  # " << RuleName(static_cast<engine::PayRule>(rule)) << '\n';
    }
    out << "\n# Bonus meter: the points that fill it and open the bonus game (1 to " << MaxMeterFull
        << "); what a Reset on the\n# payline does (empties: the meter drops to 0 and the spin's points are lost; "
           "keeps: nothing);\n# the points of a Bonus form of each symbol (0 to "
        << MaxSymbolPoints << ").\n"
        << "meter-full " << model.meterFull << '\n'
        << "reset " << (model.reset == ResetRule::EmptiesMeter ? "empties" : "keeps") << '\n';
    for (int32_t symbol = 0; symbol < ModelSymbols; ++symbol) {
        out << "bonus-points " << SymbolWords[static_cast<size_t>(symbol)] << ' '
            << model.bonusPoints[static_cast<size_t>(symbol)] << '\n';
    }
    out << "\n# Bonus game: the prizes of the eight boxes (0 to " << MaxPrize
        << " each), shuffled; one is won at random.\nprizes";
    for (int32_t prize : model.prizes) out << ' ' << prize;
    out << '\n';
}

namespace {

// Keeps a quoted word short and printable on the one error line.
std::string Quote(const std::string& word)
{
    std::string shown;
    for (char c : word) {
        if (shown.size() >= 30) {
            shown += "...";
            break;
        }
        const auto u = static_cast<unsigned char>(c);
        shown.push_back(u < 0x20 || u >= 0x7f ? '?' : c);
    }
    return "'" + shown + "'";
}

// The model's lines one at a time, with one line of lookahead.
class Reader {
public:
    explicit Reader(std::istream& in) : lines_(in) {}

    // The next line, which must start with keyword (when given) and have
    // words words (up to most, when given). It stays valid until the next call.
    const ModelLine& Next(const std::string& what, const char* keyword, size_t words, size_t most = 0)
    {
        most = std::max(most, words);
        if (AtEnd()) throw ModelError(lines_.LastLine(), "the file ends where " + what + " should follow");
        current_ = std::move(peeked_);
        peekedValid_ = false;
        const ModelLine& line = current_;
        if (keyword != nullptr && line.words[0] != keyword)
            throw ModelError(line.number, "expected " + what + ", found " + Quote(line.words[0]));
        if (line.words.size() > most)
            throw ModelError(line.number, "unexpected " + Quote(line.words[most]) + " after " + what);
        if (line.words.size() < words) throw ModelError(line.number, what + " is incomplete");
        return line;
    }

    bool AtEnd()
    {
        if (!peekedValid_ && !ended_) {
            peekedValid_ = lines_.Next(peeked_);
            ended_ = !peekedValid_;
        }
        return !peekedValid_;
    }
    // The line Next would return; only when not AtEnd().
    const ModelLine& Peek() const { return peeked_; }

private:
    ModelLines lines_;
    ModelLine current_;
    ModelLine peeked_;
    bool peekedValid_ = false;
    bool ended_ = false;
};

int32_t Number(const ModelLine& line, size_t index, int32_t min, int32_t max, const std::string& what)
{
    const std::string& text = line.words[index];
    int64_t value = 0;
    bool digits = !text.empty();
    for (char c : text) {
        if (c < '0' || c > '9') {
            digits = false;
            break;
        }
        value = value * 10 + (c - '0');
        if (value > max) break;
    }
    if (!digits) throw ModelError(line.number, what + " must be a whole number, not " + Quote(text));
    if (value < min || value > max) {
        throw ModelError(line.number, what + " must be from " + std::to_string(min) + " to " + std::to_string(max) +
                                          ", not " + Quote(text));
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> SymbolOfWord(const std::string& word)
{
    for (size_t s = 0; s < SymbolWords.size(); ++s) {
        if (word == SymbolWords[s]) return static_cast<int32_t>(s);
    }
    return std::nullopt;
}

StripPosition ReadPosition(const ModelLine& line)
{
    StripPosition p;
    const std::string& symbol = line.words[1];
    if (symbol == ResetWord) {
        p.form = Form::Reset;
    } else if (symbol == BlankWord) {
        p.symbol = static_cast<int8_t>(engine::BlankCode);
    } else if (const std::optional<int32_t> code = SymbolOfWord(symbol)) {
        p.symbol = static_cast<int8_t>(*code);
    } else {
        throw ModelError(line.number, "unknown symbol " + Quote(symbol) +
                                          " (plum, seven, triple-bar, double-bar, single-bar, blank or reset)");
    }
    if (line.words.size() < 3) return p;
    const std::string& form = line.words[2];
    if (p.form == Form::Reset || p.symbol == engine::BlankCode)
        throw ModelError(line.number, "a " + symbol + " takes no form, but " + Quote(form) + " follows it");
    if (form == "up") {
        p.form = Form::Up;
    } else if (form == "down") {
        p.form = Form::Down;
    } else if (form == "bonus") {
        p.form = Form::Bonus;
    } else {
        throw ModelError(line.number, "unknown form " + Quote(form) + " (up, down or bonus)");
    }
    return p;
}

}  // namespace

SlotModel ReadModel(std::istream& in)
{
    Reader reader(in);
    SlotModel model;

    const ModelLine& header = reader.Next(std::string("the first line '") + Header + " " + Version + "'", Header, 2);
    if (header.words[1] != Version)
        throw ModelError(header.number,
                         "model version " + Quote(header.words[1]) + " is not known (only " + Version + ")");

    // The line of each position, to point at a Bonus symbol.
    std::array<std::array<int, engine::StripLength>, engine::ReelCount> lineOf{};
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        const std::string reelName = "reel " + std::to_string(reel + 1);
        const ModelLine& start = reader.Next("'" + reelName + "'", "reel", 2);
        if (start.words[1] != std::to_string(reel + 1))
            throw ModelError(start.number, "expected '" + reelName + "', found 'reel " + start.words[1] + "'");
        for (int32_t position = 1; position <= engine::StripLength; ++position) {
            const std::string what = "position " + std::to_string(position) + " of " + reelName;
            if (reader.AtEnd() || reader.Peek().words[0] != std::to_string(position)) {
                const ModelLine& line = reader.Next(what, nullptr, 1, 3);
                throw ModelError(line.number, "expected " + what + " (a reel has " +
                                                  std::to_string(engine::StripLength) + "), found " +
                                                  Quote(line.words[0]));
            }
            const ModelLine& line = reader.Next(what, nullptr, 2, 3);
            const StripPosition p = ReadPosition(line);
            lineOf[static_cast<size_t>(reel)][static_cast<size_t>(position - 1)] = line.number;
            model.strips[static_cast<size_t>(reel)][static_cast<size_t>(position - 1)] = p;
        }
    }

    for (int rule = 0; rule < engine::PayRuleCount; ++rule) {
        const std::string word = RuleWords[static_cast<size_t>(rule)];
        const ModelLine& line = reader.Next("'pay " + word + " FACTOR'", "pay", 3);
        if (line.words[1] != word)
            throw ModelError(line.number, "expected the rule " + word + " here, found " + Quote(line.words[1]));
        model.payFactors[static_cast<size_t>(rule)] = Number(line, 2, 0, MaxFactor, "a factor");
    }

    const ModelLine& full = reader.Next("'meter-full N'", "meter-full", 2);
    model.meterFull = Number(full, 1, 1, MaxMeterFull, "meter-full");
    const ModelLine& reset = reader.Next("'reset empties' or 'reset keeps'", "reset", 2);
    if (reset.words[1] == "empties") {
        model.reset = ResetRule::EmptiesMeter;
    } else if (reset.words[1] == "keeps") {
        model.reset = ResetRule::KeepsMeter;
    } else {
        throw ModelError(reset.number, "a Reset empties or keeps the meter, not " + Quote(reset.words[1]));
    }
    for (int32_t symbol = 0; symbol < ModelSymbols; ++symbol) {
        const std::string word = SymbolWords[static_cast<size_t>(symbol)];
        const ModelLine& line = reader.Next("'bonus-points " + word + " N'", "bonus-points", 3);
        if (line.words[1] != word)
            throw ModelError(line.number, "expected the points of " + word + " here, found " + Quote(line.words[1]));
        model.bonusPoints[static_cast<size_t>(symbol)] = Number(line, 2, 0, MaxSymbolPoints, "bonus points");
    }

    const ModelLine& prizes = reader.Next("'prizes' and the eight boxes", "prizes", model.prizes.size() + 1);
    for (size_t box = 0; box < model.prizes.size(); ++box)
        model.prizes[box] = Number(prizes, box + 1, 0, MaxPrize, "a prize");
    if (!reader.AtEnd()) {
        const ModelLine& extra = reader.Peek();
        throw ModelError(extra.number, "unexpected " + Quote(extra.words[0]) + " after the prizes, the last section");
    }

    // Bonus symbols that promise points the meter can never gain: each one
    // either never reaches the payline or only with a Reset that empties it.
    int firstBonusLine = 0;
    for (int reel = 0; reel < engine::ReelCount && firstBonusLine == 0; ++reel) {
        for (int32_t position = 1; position <= engine::StripLength && firstBonusLine == 0; ++position) {
            if (model.PointsAt(reel, position) > 0)
                firstBonusLine = lineOf[static_cast<size_t>(reel)][static_cast<size_t>(position - 1)];
        }
    }
    if (firstBonusLine != 0 && CountMeterOutcomes(BuildCombinationTable(model)).NeverFills()) {
        throw ModelError(firstBonusLine,
                         "the meter never fills: no spin brings a Bonus symbol's points onto the payline without a "
                         "Reset that empties the meter");
    }
    return model;
}

}  // namespace par
