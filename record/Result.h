#pragma once

#include <utility>
#include <variant>

namespace sorkam {

// Either a value or the error that prevented it. Result<void, E> is success or an error.
template <typename T, typename E> class [[nodiscard]] Result {
public:
    Result(T value) : state(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : state(std::in_place_index<1>, std::move(error)) {}

    [[nodiscard]] bool ok() const { return state.index() == 0; }
    // The value; only valid when ok().
    [[nodiscard]] const T& value() const { return std::get<0>(state); }
    [[nodiscard]] T& value() { return std::get<0>(state); }
    // The error; only valid when !ok().
    [[nodiscard]] const E& error() const { return std::get<1>(state); }

private:
    std::variant<T, E> state;
};

template <typename E> class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(E error) : problem(std::move(error)), failed(true) {}

    [[nodiscard]] bool ok() const { return !failed; }
    // The error; only valid when !ok().
    [[nodiscard]] const E& error() const { return problem; }

private:
    E problem{};
    bool failed = false;
};

} // namespace sorkam
