#include "lab/DrawnSet.h"

namespace Lab {

void DrawnSet::add(BallBits balls) {
    if (balls == 0 || contains(balls))
        return;
    if ((m_size + 1) * 2 > m_slots.size())
        grow();
    size_t i = slotOf(balls);
    while (m_slots[i] != 0)
        i = (i + 1) & m_mask;
    m_slots[i] = balls;
    ++m_size;
}

void DrawnSet::grow() {
    std::vector<BallBits> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? 64 : old.size() * 2, 0);
    m_mask = m_slots.size() - 1;
    for (BallBits balls : old) {
        if (balls == 0)
            continue;
        size_t i = slotOf(balls);
        while (m_slots[i] != 0)
            i = (i + 1) & m_mask;
        m_slots[i] = balls;
    }
}

} // namespace Lab
