#pragma once

#include <cstdint>
#include <random>
#include <span>

namespace zorv::admin {

/// Deterministic choices for generated data: the same seed gives the same
/// sequence on every machine (std::mt19937's output is fixed by the standard;
/// the standard distributions are not, so they are not used).
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    /// 0 .. n-1 (n > 0).
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    /// low .. high, both included.
    int between(int low, int high) { return low + below(high - low + 1); }
    /// True in about percent cases out of a hundred.
    bool chance(int percent) { return below(100) < percent; }

    template <class T>
    const T& pick(std::span<const T> items)
    {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }

private:
    std::mt19937 engine_;
};

/// The unique keys of new rows (SYSNO.IUNIQUE), handed out in order.
class KeySource {
public:
    explicit KeySource(int first) : next_(first) {}
    int next() { return next_++; }
    /// The value SYSNO.IUNIQUE must hold afterwards: above every key handed out.
    int following() const { return next_; }

private:
    int next_;
};

} // namespace zorv::admin
