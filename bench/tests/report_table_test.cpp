#include "bench/report_table.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace bench {
namespace {

struct JudgeCase {
    std::string name;
    std::optional<double> value;
    std::optional<double> goal;
    Verdict expected;
};

TEST(BenchReportTable, JudgesAFigureAgainstItsGoal) {
    const JudgeCase cases[] = {
        {"well under", 1.02, 1.10, Verdict::Met},
        {"exactly at the goal", 1.10, 1.10, Verdict::Met},
        {"just over, though it rounds to the goal", 1.1004, 1.10, Verdict::Missed},
        {"far over", 1.50, 1.20, Verdict::Missed},
        {"no value", std::nullopt, 64.0, Verdict::NotMeasured},
        {"no goal", 12.0, std::nullopt, Verdict::NoGoal},
        {"no goal and no value", std::nullopt, std::nullopt, Verdict::NoGoal},
    };
    for (const JudgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Figure figure{"figure", c.value, "x", 2, c.goal, ""};
        EXPECT_EQ(Judge(figure), c.expected);
    }
}

struct ValueCase {
    std::optional<double> value;
    std::string unit;
    int decimals;
    std::string expected;
};

TEST(BenchReportTable, FormatsValuesWithTheirUnit) {
    const ValueCase cases[] = {
        {312.449, "ms", 1, "312.4 ms"},
        {1.0849, "x", 2, "1.08 x"},
        {1.0851, "x", 2, "1.09 x"},
        {41472.0 / 1024.0, "KiB", 1, "40.5 KiB"},
        {12288.0, "bytes", 0, "12288 bytes"},
        {std::nullopt, "ms", 1, "n/a"},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatValue({"figure", c.value, c.unit, c.decimals, {}, ""}), c.expected);
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream{text};
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

TEST(BenchReportTable, PrintsEveryFigureInAlignedColumns) {
    const std::vector<Figure> figures{
        {"start-up ratio", 1.25, "x", 2, 1.10, "same run"},
        {"size", 40.5, "KiB", 1, 64.0, "41472 bytes"},
        {"a long figure name that sets the column width", std::nullopt, "ms", 1, {}, "no window"},
    };
    const std::vector<std::string> lines = Lines(FormatTable("Title line", figures));
    ASSERT_EQ(lines.size(), 2 + figures.size());
    EXPECT_EQ(lines[0], "Title line");

    struct Expected {
        std::size_t line;
        std::string cells[4];  // value, goal, verdict, note; each must start where its header does
    };
    const Expected expected[] = {
        {2, {"1.25 x", "<= 1.10 x", "MISSED", "same run"}},
        {3, {"40.5 KiB", "<= 64.0 KiB", "met", "41472 bytes"}},
        {4, {"n/a", "", "", "no window"}},
    };
    const std::string& header = lines[1];
    const std::size_t columns[] = {header.find("value"), header.find("goal"), header.find("verdict"),
                                   header.find("note")};
    for (const Expected& row : expected) {
        SCOPED_TRACE(lines[row.line]);
        EXPECT_EQ(lines[row.line].rfind(figures[row.line - 2].name, 0), 0u);
        for (std::size_t column = 0; column < 4; ++column) {
            if (row.cells[column].empty()) continue;
            EXPECT_EQ(lines[row.line].find(row.cells[column], columns[column]), columns[column])
                << "column " << column;
        }
        EXPECT_EQ(lines[row.line].back(), row.cells[3].back()) << "no trailing blanks";
    }
}

}  // namespace
}  // namespace bench
