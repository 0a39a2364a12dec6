// A model as a text file people can read and edit: written by --export-model, read by --model.
#pragma once

#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

#include "SlotModel.h"

namespace par {

// The format, as the tool's --help and README describe it; the written file
// explains itself in its comments.
inline constexpr const char* ModelFormatHelp =
    "Model files (--export-model writes one, --model reads one): plain text, one fact a line, '#'\n"
    "starts a comment, words are separated by spaces; the sections come in this order, each once:\n"
    "  plumfizz-par-model 1\n"
    "  reel 1, then its 30 positions in order as 'POSITION SYMBOL [FORM]'; the same for reel 2 and\n"
    "      reel 3.\n"
    "      SYMBOL: plum, seven, triple-bar, double-bar, single-bar, blank, or reset (the Reset symbol);\n"
    "      FORM: up or down (the reel nudges to bring it onto the payline) or bonus (it adds its symbol's\n"
    "      points to the meter); none for a plain symbol, a blank or a Reset.\n"
    "  pay RULE FACTOR for three-plums, three-sevens, two-plums, three-triple-bars, three-double-bars,\n"
    "      three-single-bars, mixed-bars, one-plum, in that order (the first rule that matches pays;\n"
    "      the win is coins x FACTOR, 0 to 1000000).\n"
    "  meter-full N (1 to 24 points open the bonus game); reset empties|keeps (a Reset on the payline\n"
    "      empties the meter, the spin's points lost, or does nothing to it); bonus-points SYMBOL N for\n"
    "      plum, seven, triple-bar, double-bar, single-bar in that order (0 to 8 points a Bonus form).\n"
    "  prizes P1 ... P8 (the eight boxes of the bonus game, 0 to 1000000 each, one won at random).\n"
    "At most 4096 characters a line and 1 MB a file; a UTF-8 byte-order mark and LF, CR or CR LF line\n"
    "ends are all read alike. A malformed file is refused with its line number and exit status 2.\n";

// A fault in a model file, at a line (1 for the first).
class ModelError : public std::runtime_error {
public:
    ModelError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line)
    {}
    int Line() const { return line_; }

private:
    int line_;
};

void WriteModel(const SlotModel& model, std::ostream& out);

// Throws ModelError for the first fault: a section missing or out of order,
// a wrong count, an unknown symbol, form or rule, a number out of range,
// words left over on a line or lines after the prizes, or a meter whose
// Bonus symbols can never fill it; and for a file that is no model at all, as
// soon as it passes the bounds of ModelLines.h (any stream, read in constant
// memory). A fault at the end of the file names the file's last line.
SlotModel ReadModel(std::istream& in);

}  // namespace par
