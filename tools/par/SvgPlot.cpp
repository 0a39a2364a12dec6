// Rendering charts to SVG text.
#include "SvgPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace par {

namespace {

constexpr double Width = 860;
constexpr double Height = 540;
constexpr double Left = 90;
constexpr double Right = 200;  // room for the legend
constexpr double Top = 70;
constexpr double Bottom = 100;  // room for rotated category names

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// A tick label: short, without trailing zeros.
std::string TickLabel(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", std::abs(value) < 1e-12 ? 0.0 : value);
    return text;
}

void CheckAxis(const PlotAxis& axis)
{
    if (!(axis.max > axis.min) || !std::isfinite(axis.min) || !std::isfinite(axis.max))
        throw std::invalid_argument("a plot axis needs a range");
    if (axis.logarithmic && axis.min <= 0) throw std::invalid_argument("a logarithmic axis above 0");
}

// 0..1 along the axis, unclamped.
double Along(const PlotAxis& axis, double value)
{
    if (axis.logarithmic) {
        return (std::log10(std::max(value, 1e-300)) - std::log10(axis.min)) /
               (std::log10(axis.max) - std::log10(axis.min));
    }
    return (value - axis.min) / (axis.max - axis.min);
}

std::vector<double> Ticks(const PlotAxis& axis)
{
    std::vector<double> ticks;
    if (axis.logarithmic) {
        for (double power = std::ceil(std::log10(axis.min) - 1e-9); power <= std::log10(axis.max) + 1e-9; ++power)
            ticks.push_back(std::pow(10.0, power));
        return ticks;
    }
    const double rough = (axis.max - axis.min) / 6;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * magnitude;
        if (step >= rough) break;
    }
    for (double tick = std::ceil(axis.min / step - 1e-9) * step; tick <= axis.max + step * 1e-9; tick += step)
        ticks.push_back(tick);
    return ticks;
}

std::string DashAttribute(const PlotLine& line)
{
    if (line.dotted) return " stroke-dasharray=\"2 3\"";
    return line.dashed ? " stroke-dasharray=\"6 4\"" : "";
}

// A small triangle with its point on the edge at (x, y), pointing up or down out of the plot.
std::string ExitMark(double x, double y, bool up, const std::string& colour)
{
    const double tip = up ? y - 2 : y + 2;
    const double base = up ? y + 9 : y - 9;
    return "<polygon points=\"" + Number(x) + "," + Number(tip) + " " + Number(x - 6) + "," + Number(base) + " " +
           Number(x + 6) + "," + Number(base) + "\" fill=\"" + EscapeXml(colour) +
           "\" stroke=\"white\" stroke-width=\"0.8\"/>";
}

std::string LogLabel(double value)
{
    const int power = static_cast<int>(std::lround(std::log10(value)));
    return "10<tspan dy=\"-6\" font-size=\"9\">" + std::to_string(power) + "</tspan>";
}

}  // namespace

std::string EscapeXml(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        default:
            // Control characters are not allowed in XML 1.0 text.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') {
                escaped += '?';
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

std::string RenderSvg(const PlotChart& chart)
{
    const bool categorical = !chart.bars.categories.empty();
    if (!categorical) CheckAxis(chart.x);
    CheckAxis(chart.y);
    const double plotWidth = Width - Left - Right;
    const double plotHeight = Height - Top - Bottom;
    auto px = [&](double x) { return Left + Along(chart.x, x) * plotWidth; };
    auto py = [&](double y) { return Top + (1 - Along(chart.y, y)) * plotHeight; };

    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Width << "\" height=\"" << Height
        << "\" viewBox=\"0 0 " << Width << ' ' << Height << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<defs><clipPath id=\"plot-area\"><rect x=\"" << Left << "\" y=\"" << Top << "\" width=\"" << plotWidth
        << "\" height=\"" << plotHeight << "\"/></clipPath></defs>\n"
        << "<text x=\"" << Width / 2 << "\" y=\"28\" text-anchor=\"middle\" font-size=\"16\" font-weight=\"bold\">"
        << EscapeXml(chart.title) << "</text>\n"
        << "<text x=\"" << Width / 2 << "\" y=\"48\" text-anchor=\"middle\" fill=\"#444\">" << EscapeXml(chart.subtitle)
        << "</text>\n";

    // Grid and y ticks.
    svg << "<g stroke=\"#ddd\">\n";
    for (double tick : Ticks(chart.y)) {
        svg << "<line x1=\"" << Left << "\" x2=\"" << Left + plotWidth << "\" y1=\"" << Number(py(tick)) << "\" y2=\""
            << Number(py(tick)) << "\"/>\n";
    }
    svg << "</g>\n<g text-anchor=\"end\">\n";
    for (double tick : Ticks(chart.y)) {
        svg << "<text x=\"" << Left - 8 << "\" y=\"" << Number(py(tick) + 4) << "\">"
            << (chart.y.logarithmic ? LogLabel(tick) : EscapeXml(TickLabel(tick))) << "</text>\n";
    }
    svg << "</g>\n";

    // The data, clipped to the plot area.
    svg << "<g clip-path=\"url(#plot-area)\">\n";
    for (const PlotBand& band : chart.bands) {
        if (band.x.empty()) continue;
        svg << "<polygon fill=\"" << EscapeXml(band.colour) << "\" stroke=\"none\" points=\"";
        for (size_t i = 0; i < band.x.size(); ++i)
            svg << Number(px(band.x[i])) << ',' << Number(py(band.high[i])) << ' ';
        for (size_t i = band.x.size(); i-- > 0;) svg << Number(px(band.x[i])) << ',' << Number(py(band.low[i])) << ' ';
        svg << "\"/>\n";
    }
    if (categorical) {
        const size_t groups = chart.bars.categories.size();
        const size_t series = chart.bars.values.size();
        const double groupWidth = plotWidth / static_cast<double>(groups);
        const double barWidth = groupWidth * 0.8 / static_cast<double>(std::max<size_t>(series, 1));
        for (size_t s = 0; s < series; ++s) {
            for (size_t g = 0; g < groups && g < chart.bars.values[s].size(); ++g) {
                const double value = chart.bars.values[s][g];
                if (!(value > 0)) continue;
                const double top = std::max(Top, py(std::min(value, chart.y.max)));
                const double base = chart.y.logarithmic ? Top + plotHeight : py(std::max(0.0, chart.y.min));
                svg << "<rect x=\"" << Number(Left + groupWidth * (static_cast<double>(g) + 0.1) + barWidth * s)
                    << "\" y=\"" << Number(top) << "\" width=\"" << Number(barWidth) << "\" height=\""
                    << Number(std::max(0.0, base - top)) << "\" fill=\"" << EscapeXml(chart.bars.seriesColours[s])
                    << "\"><title>" << EscapeXml(chart.bars.categories[g] + ": " + TickLabel(value))
                    << "</title></rect>\n";
            }
        }
    }
    for (const PlotLine& line : chart.lines) {
        if (line.points.empty()) continue;
        svg << "<polyline fill=\"none\" stroke=\"" << EscapeXml(line.colour) << "\" stroke-width=\"" << line.width
            << '"' << DashAttribute(line) << " points=\"";
        for (const auto& [x, y] : line.points) svg << Number(px(x)) << ',' << Number(py(y)) << ' ';
        svg << "\"/>\n";
    }
    const double plotBottom = Top + plotHeight;
    for (const PlotMark& mark : chart.marks) {
        const double x =
            Left + mark.at * plotWidth / static_cast<double>(std::max<size_t>(chart.bars.categories.size(), 1));
        svg << "<line x1=\"" << Number(x) << "\" x2=\"" << Number(x) << "\" y1=\"" << Top << "\" y2=\"" << plotBottom
            << "\" stroke=\"" << EscapeXml(mark.colour) << "\" stroke-width=\"2\" stroke-dasharray=\"6 4\"/>\n"
            << "<text x=\"" << Number(x + 4) << "\" y=\"" << Top + 12 << "\" fill=\"" << EscapeXml(mark.colour) << "\">"
            << EscapeXml(mark.label) << "</text>\n";
    }
    svg << "</g>\n";

    // Where a marked line leaves the plot area: a triangle on the edge it crosses, pointing out.
    bool exits = false;
    for (const PlotLine& line : chart.lines) {
        if (!line.markExits) continue;
        for (size_t i = 0; i < line.points.size(); ++i) {
            const double x1 = px(line.points[i].first);
            const double y1 = py(line.points[i].second);
            const bool outside = y1 < Top || y1 > plotBottom;
            if (!outside || x1 < Left - 0.5 || x1 > Left + plotWidth + 0.5) continue;
            double x = x1;
            if (i > 0) {
                const double x0 = px(line.points[i - 1].first);
                const double y0 = py(line.points[i - 1].second);
                if (y0 >= Top && y0 <= plotBottom) {
                    const double edge = y1 < Top ? Top : plotBottom;
                    x = x0 + (x1 - x0) * (edge - y0) / (y1 - y0);
                } else {
                    continue;  // still outside: marked where it left
                }
            }
            exits = true;
            svg << ExitMark(x, y1 < Top ? Top : plotBottom, y1 < Top, line.colour) << "\n";
        }
    }

    // Axes, x ticks and labels.
    svg << "<g stroke=\"black\"><line x1=\"" << Left << "\" y1=\"" << Top + plotHeight << "\" x2=\"" << Left + plotWidth
        << "\" y2=\"" << Top + plotHeight << "\"/><line x1=\"" << Left << "\" y1=\"" << Top << "\" x2=\"" << Left
        << "\" y2=\"" << Top + plotHeight << "\"/></g>\n";
    if (categorical) {
        const double groupWidth = plotWidth / static_cast<double>(chart.bars.categories.size());
        for (size_t g = 0; g < chart.bars.categories.size(); ++g) {
            const double x = Left + groupWidth * (static_cast<double>(g) + 0.5);
            const double y = Top + plotHeight + 14;
            svg << "<text x=\"" << Number(x) << "\" y=\"" << Number(y)
                << "\" text-anchor=\"end\" transform=\"rotate(-35 " << Number(x) << ' ' << Number(y) << ")\">"
                << EscapeXml(chart.bars.categories[g]) << "</text>\n";
        }
    } else {
        for (double tick : Ticks(chart.x)) {
            svg << "<line stroke=\"black\" x1=\"" << Number(px(tick)) << "\" x2=\"" << Number(px(tick)) << "\" y1=\""
                << Top + plotHeight << "\" y2=\"" << Top + plotHeight + 5 << "\"/>\n"
                << "<text x=\"" << Number(px(tick)) << "\" y=\"" << Top + plotHeight + 20
                << "\" text-anchor=\"middle\">" << (chart.x.logarithmic ? LogLabel(tick) : EscapeXml(TickLabel(tick)))
                << "</text>\n";
        }
    }
    svg << "<text x=\"" << Left + plotWidth / 2 << "\" y=\"" << Height - 12 << "\" text-anchor=\"middle\">"
        << EscapeXml(chart.x.label) << "</text>\n"
        << "<text x=\"20\" y=\"" << Top + plotHeight / 2 << "\" text-anchor=\"middle\" transform=\"rotate(-90 20 "
        << Top + plotHeight / 2 << ")\">" << EscapeXml(chart.y.label) << "</text>\n";

    // The legend.
    double legendY = Top + 10;
    const double legendX = Left + plotWidth + 16;
    auto legendEntry = [&](const std::string& label, const std::string& swatch) {
        svg << swatch << "<text x=\"" << legendX + 26 << "\" y=\"" << legendY + 4 << "\">" << EscapeXml(label)
            << "</text>\n";
        legendY += 20;
    };
    for (const PlotBand& band : chart.bands) {
        if (band.label.empty()) continue;
        legendEntry(band.label, "<rect x=\"" + Number(legendX) + "\" y=\"" + Number(legendY - 6) +
                                    "\" width=\"20\" height=\"12\" fill=\"" + EscapeXml(band.colour) + "\"/>");
    }
    for (const PlotLine& line : chart.lines) {
        if (line.label.empty()) continue;
        legendEntry(line.label, "<line x1=\"" + Number(legendX) + "\" x2=\"" + Number(legendX + 20) + "\" y1=\"" +
                                    Number(legendY) + "\" y2=\"" + Number(legendY) + "\" stroke=\"" +
                                    EscapeXml(line.colour) + "\" stroke-width=\"2\"" + DashAttribute(line) + "/>");
    }
    if (exits) {
        legendEntry("leaves the axes", ExitMark(legendX + 5, legendY - 2, true, "#555") +
                                           ExitMark(legendX + 16, legendY + 2, false, "#555"));
    }
    for (const PlotMark& mark : chart.marks) {
        legendEntry(mark.label, "<line x1=\"" + Number(legendX + 10) + "\" x2=\"" + Number(legendX + 10) + "\" y1=\"" +
                                    Number(legendY - 7) + "\" y2=\"" + Number(legendY + 7) + "\" stroke=\"" +
                                    EscapeXml(mark.colour) + "\" stroke-width=\"2\"/>");
    }
    for (size_t s = 0; s < chart.bars.seriesLabels.size() && s < chart.bars.seriesColours.size(); ++s) {
        legendEntry(chart.bars.seriesLabels[s], "<rect x=\"" + Number(legendX) + "\" y=\"" + Number(legendY - 6) +
                                                    "\" width=\"20\" height=\"12\" fill=\"" +
                                                    EscapeXml(chart.bars.seriesColours[s]) + "\"/>");
    }
    svg << "</svg>\n";
    return svg.str();
}

void WriteTextFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace par
