// Writing reports as text, CSV and JSON.
#include "Report.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <sstream>

namespace par {

namespace {

constexpr size_t TextWidth = 100;

void WriteWrapped(const std::string& text, const std::string& indent, std::ostream& out)
{
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        if (!line.empty() && indent.size() + line.size() + 1 + word.size() > TextWidth) {
            out << indent << line << '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) out << indent << line << '\n';
}

void WriteCsvRow(const std::vector<std::string>& row, std::ostream& out)
{
    for (size_t c = 0; c < row.size(); ++c) out << (c == 0 ? "" : ",") << CsvField(row[c]);
    out << "\r\n";
}

void WriteJsonStrings(const std::vector<std::string>& items, bool numbers, std::ostream& out)
{
    out << '[';
    for (size_t i = 0; i < items.size(); ++i) {
        out << (i == 0 ? "" : ", ") << (numbers && IsPlainNumber(items[i]) ? items[i] : JsonString(items[i]));
    }
    out << ']';
}

}  // namespace

void WriteTextTable(const ReportTable& table, std::ostream& out)
{
    out << table.title << '\n';
    const size_t columns = table.columns.size();
    std::vector<size_t> width(columns, 0);
    std::vector<bool> numeric(columns, true);
    for (size_t c = 0; c < columns; ++c) width[c] = table.columns[c].size();
    for (const auto& row : table.rows) {
        for (size_t c = 0; c < columns && c < row.size(); ++c) {
            width[c] = std::max(width[c], row[c].size());
            if (!row[c].empty() && !IsPlainNumber(row[c])) numeric[c] = false;
        }
    }
    auto writeRow = [&](const std::vector<std::string>& row) {
        std::string line = " ";
        for (size_t c = 0; c < columns; ++c) {
            const std::string cell = c < row.size() ? row[c] : std::string();
            const std::string pad(width[c] - std::min(width[c], cell.size()), ' ');
            line += "  " + (numeric[c] ? pad + cell : cell + pad);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    };
    if (!table.rows.empty()) {
        writeRow(table.columns);
        for (const auto& row : table.rows) writeRow(row);
    }
    for (const std::string& note : table.notes) WriteWrapped(note, "  ", out);
    out << '\n';
}

bool IsPlainNumber(const std::string& cell)
{
    // -?digits(.digits)?, without leading zeros JSON would refuse.
    size_t i = cell.empty() || cell[0] != '-' ? 0 : 1;
    const size_t digitsStart = i;
    while (i < cell.size() && cell[i] >= '0' && cell[i] <= '9') ++i;
    const size_t digits = i - digitsStart;
    if (digits == 0 || (digits > 1 && cell[digitsStart] == '0')) return false;
    if (i == cell.size()) return true;
    if (cell[i] != '.') return false;
    const size_t fractionStart = ++i;
    while (i < cell.size() && cell[i] >= '0' && cell[i] <= '9') ++i;
    return i == cell.size() && i > fractionStart;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string JsonString(const std::string& text)
{
    std::string s = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (c == '\n') {
            s += "\\n";
        } else if (c == '\t') {
            s += "\\t";
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            s += escaped;
        } else {
            s += c;
        }
    }
    return s + "\"";
}

void WriteReport(const Report& report, Format format, std::ostream& out)
{
    switch (format) {
    case Format::Text:
        out << report.title << '\n';
        for (const std::string& note : report.notes) WriteWrapped(note, "", out);
        out << '\n';
        for (const ReportTable& table : report.tables) WriteTextTable(table, out);
        break;
    case Format::Csv:
        WriteCsvRow({report.title}, out);
        for (const std::string& note : report.notes) WriteCsvRow({note}, out);
        out << "\r\n";
        for (const ReportTable& table : report.tables) {
            WriteCsvRow({table.title}, out);
            if (!table.rows.empty()) WriteCsvRow(table.columns, out);
            for (const auto& row : table.rows) WriteCsvRow(row, out);
            for (const std::string& note : table.notes) WriteCsvRow({note}, out);
            out << "\r\n";
        }
        break;
    case Format::Json:
        out << "{\n  \"title\": " << JsonString(report.title) << ",\n  \"notes\": ";
        WriteJsonStrings(report.notes, false, out);
        out << ",\n  \"tables\": [";
        for (size_t t = 0; t < report.tables.size(); ++t) {
            const ReportTable& table = report.tables[t];
            out << (t == 0 ? "\n" : ",\n") << "    {\n      \"key\": " << JsonString(table.key)
                << ",\n      \"title\": " << JsonString(table.title) << ",\n      \"columns\": ";
            WriteJsonStrings(table.columns, false, out);
            out << ",\n      \"rows\": [";
            for (size_t r = 0; r < table.rows.size(); ++r) {
                out << (r == 0 ? "\n        " : ",\n        ");
                WriteJsonStrings(table.rows[r], true, out);
            }
            out << (table.rows.empty() ? "]" : "\n      ]") << ",\n      \"notes\": ";
            WriteJsonStrings(table.notes, false, out);
            out << "\n    }";
        }
        out << (report.tables.empty() ? "]\n}\n" : "\n  ]\n}\n");
        break;
    }
}

}  // namespace par
