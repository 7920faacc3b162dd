#include "bench/report_table.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

std::string FormatNumber(double value, int decimals) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    return buffer.data();
}

std::string FormatGoal(const Figure& figure) {
    if (!figure.goalAtMost) return "";
    return "<= " + FormatNumber(*figure.goalAtMost, figure.decimals) + " " + figure.unit;
}

std::string VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Met: return "met";
    case Verdict::Missed: return "MISSED";
    case Verdict::NotMeasured: return "not measured";
    case Verdict::NoGoal: break;
    }
    return "";
}

void AppendPadded(std::string& line, const std::string& cell, std::size_t width) {
    line += cell;
    line.append(width - cell.size() + 2, ' ');
}

}  // namespace

Verdict Judge(const Figure& figure) {
    if (!figure.goalAtMost) return Verdict::NoGoal;
    if (!figure.value) return Verdict::NotMeasured;
    return *figure.value <= *figure.goalAtMost ? Verdict::Met : Verdict::Missed;
}

std::string FormatValue(const Figure& figure) {
    if (!figure.value) return "n/a";
    return FormatNumber(*figure.value, figure.decimals) + " " + figure.unit;
}

std::string FormatTable(std::string_view title, std::span<const Figure> figures) {
    using Row = std::array<std::string, 5>;
    std::vector<Row> rows{{"figure", "value", "goal", "verdict", "note"}};
    for (const Figure& figure : figures) {
        rows.push_back({figure.name, FormatValue(figure), FormatGoal(figure), VerdictText(Judge(figure)),
                        figure.note});
    }

    std::array<std::size_t, 5> widths{};
    for (const Row& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], row[column].size());
        }
    }

    std::string table{title};
    table += '\n';
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t column = 0; column + 1 < row.size(); ++column) AppendPadded(line, row[column], widths[column]);
        line += row.back();
        line.erase(line.find_last_not_of(' ') + 1);
        table += line;
        table += '\n';
    }
    return table;
}

}  // namespace bench
