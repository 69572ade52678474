#pragma once

// Rows the draw list moves for one wheel message: one row per notch of 120,
// truncated toward zero, a turn away from the user moving up.
inline int wheelRows(int delta) {
    return -(delta / 120);
}
