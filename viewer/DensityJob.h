#pragma once

#include "chart/Density.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace sorkam {

// A density counted in the background: every record of a data file, for a view's ranges at a plot
// size, on every core. Stopping it (or starting another) drops what was counted.
class DensityJob {
public:
    DensityJob() = default;
    ~DensityJob() { stop(); }
    DensityJob(const DensityJob&) = delete;
    DensityJob& operator=(const DensityJob&) = delete;

    // Counts records 0 .. count - 1 of the file at path for view at width x height plot pixels.
    void start(const std::string& path, std::int64_t count, const chart::View& view, int width,
               int height);
    void stop();
    // Whether it is counting (or has counted and not yet been taken).
    [[nodiscard]] bool busy() const { return state != nullptr; }
    // Whether it counts (or counted) for the view's ranges at this size.
    [[nodiscard]] bool countsFor(const chart::View& view, int width, int height) const;
    // How far it has gone, 0 to 1.
    [[nodiscard]] double progress() const;
    [[nodiscard]] std::int64_t records() const { return state ? state->total : 0; }
    // The density once counted (or why it could not be); nothing while counting.
    [[nodiscard]] std::optional<Result<chart::Density, ReadFailure>> take();

private:
    struct State {
        std::int64_t total = 0;
        std::atomic<std::int64_t> done{0};
        std::atomic<bool> finished{false};
        std::optional<Result<chart::Density, ReadFailure>> result;
        chart::Density wanted; // its ranges and size, without counts
    };
    std::unique_ptr<State> state;
    std::jthread worker;
};

} // namespace sorkam
