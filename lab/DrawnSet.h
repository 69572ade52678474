#pragma once

#include "lab/Ticket.h"

#include <vector>

namespace Lab {

// The whole combinations drawn so far, for "never drawn" at the speed of a
// few instructions per look-up: an open-addressing hash set of ball sets that
// grows by doubling, so that adding draw after draw stays linear.
class DrawnSet {
public:
    void add(BallBits balls);
    bool contains(BallBits balls) const {
        if (m_slots.empty())
            return false;
        for (size_t i = slotOf(balls);; i = (i + 1) & m_mask) {
            if (m_slots[i] == balls)
                return true;
            if (m_slots[i] == 0)
                return false;
        }
    }
    size_t size() const { return m_size; }

private:
    size_t slotOf(BallBits balls) const {
        const quint64 mixed = quint64(balls) ^ (quint64(balls >> 64) * 0xC2B2AE3D27D4EB4FULL);
        return size_t((mixed * 0x9E3779B97F4A7C15ULL) >> 20) & m_mask;
    }
    void grow();
    std::vector<BallBits> m_slots; // 0 marks an empty slot (no ticket is empty)
    size_t m_mask = 0;
    size_t m_size = 0;
};

} // namespace Lab
