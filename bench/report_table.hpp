#pragma once
// The benchmark's printed table: one line per figure, with its goal and whether the figure meets it.
// Plain ASCII, so that it reads the same in any console code page.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace bench {

struct Figure {
    std::string name;
    std::optional<double> value;        // nothing: not measured (the note says why)
    std::string unit;                   // "ms", "KiB", "MiB", "x" (a ratio), "bytes"
    int decimals = 1;
    std::optional<double> goalAtMost;   // the figure should not exceed this
    std::string note;
};

enum class Verdict { NoGoal, Met, Missed, NotMeasured };

// Met when the value does not exceed the goal; the unrounded value decides.
[[nodiscard]] Verdict Judge(const Figure& figure);

// "12.3 ms", "1.08 x", or "n/a" when the value is missing.
[[nodiscard]] std::string FormatValue(const Figure& figure);

// Aligned columns: figure, value, goal, verdict and note; one header line and one line per figure.
[[nodiscard]] std::string FormatTable(std::string_view title, std::span<const Figure> figures);

}  // namespace bench
