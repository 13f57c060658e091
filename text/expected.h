// A value or the error that stopped it, for results a caller must look at (a header without its
// columns, an argument not understood). C++20 has no std::expected, nor has the C++ library of
// every toolchain this code builds with. docs/errors.md says which failures come back this way and
// which are thrown: bytes that cannot be read or written, and, inside the calculator's reading and
// arithmetic, an entry that cannot be read, which the calculator turns into a message.
#pragma once

#include <optional>
#include <utility>
#include <variant>

namespace orvanto {

template <typename E>
struct Unexpected {
    E error;
};

template <typename E>
Unexpected<E> unexpected(E error) {
    return Unexpected<E>{std::move(error)};
}

template <typename T, typename E>
class Expected {
  public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT(*-explicit-*)
    Expected(Unexpected<E> failure)                                          // NOLINT(*-explicit-*)
        : state_(std::in_place_index<1>, std::move(failure.error)) {}

    // Named as std::expected's members, which this can give way to.
    bool has_value() const { return state_.index() == 0; }  // NOLINT(readability-identifier-naming)
    explicit operator bool() const { return has_value(); }
    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const E& error() const& { return std::get<1>(state_); }
    E&& error() && { return std::get<1>(std::move(state_)); }

  private:
    std::variant<T, E> state_;
};

// A step that gives nothing back but may fail: the error, or nothing wrong (as std::expected<void,
// E>).
template <typename E>
class Expected<void, E> {
  public:
    Expected() = default;
    Expected(Unexpected<E> failure)  // NOLINT(*-explicit-*)
        : error_(std::move(failure.error)) {}

    bool has_value() const { return !error_; }  // NOLINT(readability-identifier-naming)
    explicit operator bool() const { return has_value(); }
    const E& error() const { return *error_; }

  private:
    std::optional<E> error_;
};

}  // namespace orvanto
