// Small charts as SVG text that a browser shows: axes with ticks and labels (linear or
// logarithmic), lines (marked where they leave the axes), shaded bands between two lines, and
// grouped bars over named categories with marks at places among them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace par {

// Text for SVG character data and attribute values.
std::string EscapeXml(const std::string& text);

struct PlotAxis {
    std::string label;
    double min = 0;
    double max = 1;
    bool logarithmic = false;  // min and max above 0
};

struct PlotLine {
    std::string label;  // empty: not in the legend
    std::string colour;
    std::vector<std::pair<double, double>> points;
    double width = 1.5;
    bool dashed = false;
    // A triangle on the edge, in the line's colour, wherever the line leaves the plot area above
    // or below (or starts outside it), so that a run cut off by the axes is seen to go on.
    bool markExits = false;
    bool dotted = false;  // finer than dashed, for a reference such as break-even
};

// A vertical line across bars at a place on the category axis: 0 is the left edge of the first
// category, 1 its right edge, and so on.
struct PlotMark {
    double at = 0;
    std::string label;  // in the legend, and beside the line's top
    std::string colour;
};

struct PlotBand {
    std::string label;
    std::string colour;
    std::vector<double> x;
    std::vector<double> low;
    std::vector<double> high;
};

// Bars: one group per category, one bar per series in each group.
struct PlotBars {
    std::vector<std::string> categories;
    std::vector<std::string> seriesLabels;
    std::vector<std::string> seriesColours;
    std::vector<std::vector<double>> values;  // [series][category]; 0 or less draws nothing
};

struct PlotChart {
    std::string title;
    std::string subtitle;
    PlotAxis x;  // unused for bars
    PlotAxis y;
    std::vector<PlotBand> bands;
    std::vector<PlotLine> lines;
    PlotBars bars;                // drawn instead of the x axis when it has categories
    std::vector<PlotMark> marks;  // over the bars
};

// The whole SVG document; throws std::invalid_argument for an empty or, on
// a logarithmic axis, non-positive range.
std::string RenderSvg(const PlotChart& chart);

// Writes the text to the file; throws std::runtime_error naming the file
// when it cannot be written completely.
void WriteTextFile(const std::string& path, const std::string& text);

}  // namespace par
