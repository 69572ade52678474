#pragma once

#include <QtGlobal>
#include <cmath>

// The ball that a stored number stands for, or 0: whole numbers 1 to 49 only.
// Hand entry stores whatever digits were typed (0, 50 and more), so every
// reader of the ball columns sorts the values through these.
inline int ballFromInteger(qint64 value) {
    return value >= 1 && value <= 49 ? int(value) : 0;
}

inline int ballFromReal(double value) {
    return value >= 1 && value <= 49 && std::floor(value) == value ? int(value) : 0;
}
