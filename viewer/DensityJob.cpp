#include "viewer/DensityJob.h"

namespace sorkam {

void DensityJob::start(const std::string& path, std::int64_t count, const chart::View& view,
                       int width, int height) {
    stop();
    state = std::make_unique<State>();
    state->total = count;
    chart::Density& wanted = state->wanted;
    wanted.width = width;
    wanted.height = height;
    wanted.range = view.range;
    wanted.values = view.values;
    wanted.reference = view.difference && view.reference ? view.reference->number : -1;
    chart::View counted = view;
    counted.density.reset();
    worker = std::jthread(
        [path, count, counted, width, height, shared = state.get()](std::stop_token stop) {
            auto result = chart::countDensity(path, {{0, count - 1}}, counted, width, height, stop,
                                              &shared->done);
            if (!stop.stop_requested()) {
                shared->result.emplace(std::move(result));
                shared->finished.store(true, std::memory_order_release);
            }
        });
}

void DensityJob::stop() {
    if (worker.joinable()) {
        worker.request_stop();
        worker.join();
    }
    state.reset();
}

bool DensityJob::countsFor(const chart::View& view, int width, int height) const {
    return state != nullptr && state->wanted.fits(view, width, height);
}

double DensityJob::progress() const {
    if (!state || state->total <= 0) {
        return 1.0;
    }
    return static_cast<double>(state->done.load(std::memory_order_relaxed)) /
           static_cast<double>(state->total);
}

std::optional<Result<chart::Density, ReadFailure>> DensityJob::take() {
    if (!state || !state->finished.load(std::memory_order_acquire)) {
        return std::nullopt;
    }
    worker.join();
    auto result = std::move(state->result);
    state.reset();
    return result;
}

} // namespace sorkam
