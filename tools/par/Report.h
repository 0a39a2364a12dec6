// The tool's printouts as titled tables with notes, written as aligned text for people, or as CSV
// or JSON for spreadsheets and programs.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace par {

enum class Format { Text, Csv, Json };

struct ReportTable {
    std::string key;  // a short name for programs, e.g. "pay_table"
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // each as long as columns
    std::vector<std::string> notes;              // sentences under the table
};

struct Report {
    std::string title;
    std::vector<std::string> notes;  // under the title
    std::vector<ReportTable> tables;
};

// Text: tables with aligned columns (numbers to the right) and notes wrapped
// at 100 characters. CSV: per table a title row, the header, the rows and the
// notes as one-field rows, then an empty line. JSON: one object; cells that
// are plain decimal numbers are written as numbers, all others as strings.
void WriteReport(const Report& report, Format format, std::ostream& out);

// One table as text, as WriteReport writes it.
void WriteTextTable(const ReportTable& table, std::ostream& out);

// Helpers for the writers, public for the tests.
bool IsPlainNumber(const std::string& cell);
std::string CsvField(const std::string& text);
std::string JsonString(const std::string& text);

}  // namespace par
