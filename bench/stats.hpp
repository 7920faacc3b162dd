#pragma once
// Summaries of timing and memory samples: medians, ratios and the medians of the first and the last
// stretch of a long series (to see whether a cost grows as the series goes on).
#include <cstddef>
#include <optional>
#include <span>

namespace bench {

// The middle value of the samples (the mean of the two middle ones for an even count);
// nothing when there are no samples.
[[nodiscard]] std::optional<double> Median(std::span<const double> samples);

// numerator / denominator; nothing when either is missing or the denominator is not positive.
[[nodiscard]] std::optional<double> Ratio(std::optional<double> numerator, std::optional<double> denominator);

struct HeadTailMedians {
    std::optional<double> head;  // median of the first `count` samples
    std::optional<double> tail;  // median of the last `count` samples
};

// Medians of the first and of the last `count` samples. With fewer than 2 * count samples the two
// stretches would overlap, and both are left empty: the comparison would mean nothing.
[[nodiscard]] HeadTailMedians HeadAndTailMedians(std::span<const double> samples, std::size_t count);

}  // namespace bench
