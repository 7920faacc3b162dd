#include "bench/stats.hpp"

#include <algorithm>
#include <vector>

namespace bench {

std::optional<double> Median(std::span<const double> samples) {
    if (samples.empty()) return std::nullopt;
    std::vector<double> sorted(samples.begin(), samples.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    if (sorted.size() % 2 == 1) return sorted[middle];
    return (sorted[middle - 1] + sorted[middle]) / 2.0;
}

std::optional<double> Ratio(std::optional<double> numerator, std::optional<double> denominator) {
    if (!numerator || !denominator || *denominator <= 0.0) return std::nullopt;
    return *numerator / *denominator;
}

HeadTailMedians HeadAndTailMedians(std::span<const double> samples, std::size_t count) {
    if (count == 0 || samples.size() < 2 * count) return {};
    return {Median(samples.first(count)), Median(samples.last(count))};
}

}  // namespace bench
