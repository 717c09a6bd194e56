// Checked integer arithmetic: the system's own arithmetic never wraps.
// CheckedAdd/Sub/Mul work in the operands' type (8, 16 or 32 bits, signed or
// unsigned) and raise EIntOverflow when the exact result lies outside it.
// Narrow and CheckRange store a value into a narrower type or a declared
// range and raise ERangeError when it does not fit.
#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "framework/runtime/Exceptions.h"

template <typename T>
concept CheckedInteger = std::integral<T> && !std::same_as<T, bool> &&
                         (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4);

template <CheckedInteger T> T CheckedAdd(std::type_identity_t<T> a, std::type_identity_t<T> b) {
    T result;
    if (__builtin_add_overflow(a, b, &result))
        throw EIntOverflow();
    return result;
}

template <CheckedInteger T> T CheckedSub(std::type_identity_t<T> a, std::type_identity_t<T> b) {
    T result;
    if (__builtin_sub_overflow(a, b, &result))
        throw EIntOverflow();
    return result;
}

template <CheckedInteger T> T CheckedMul(std::type_identity_t<T> a, std::type_identity_t<T> b) {
    T result;
    if (__builtin_mul_overflow(a, b, &result))
        throw EIntOverflow();
    return result;
}

// The value of any integer, as To, if it is representable there.
template <CheckedInteger To, std::integral From> To Narrow(From value) {
    if (!std::in_range<To>(value))
        throw ERangeError();
    return static_cast<To>(value);
}

// value itself if low <= value <= high.
template <std::integral T>
T CheckRange(T value, std::type_identity_t<T> low, std::type_identity_t<T> high) {
    if (value < low || value > high)
        throw ERangeError();
    return value;
}
