#include "dwi/FirstNoteIndex.h"

#include <bit>

namespace zelvane {

std::uint64_t CFirstNoteIndex::Key(std::int32_t clock, std::int32_t panel)
{
    return (std::uint64_t(std::uint32_t(clock)) << 32) | std::uint32_t(panel);
}

std::size_t CFirstNoteIndex::SlotOf(std::uint64_t key) const
{
    // Clocks come in steps of a few clocks and panels are few: the top bits of a
    // multiplicative hash depend on every bit of the key and spread them over the whole
    // table. The table is a power of two and never more than half full, so probing ends at
    // the key or at a free slot soon.
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> m_shift);
    while (m_slots[slot].note && m_slots[slot].key != key)
        slot = (slot + 1) & mask;
    return slot;
}

void CFirstNoteIndex::Grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    m_shift = 64 - std::countr_zero(m_slots.size());
    for (const Slot& slot : old)
        if (slot.note)
            m_slots[SlotOf(slot.key)] = slot;
}

void CFirstNoteIndex::Add(std::int32_t clock, std::int32_t panel, CNote* note)
{
    if (2 * (m_used + 1) > m_slots.size())
        Grow();
    const std::uint64_t key = Key(clock, panel);
    Slot& slot = m_slots[SlotOf(key)];
    if (slot.note)
        return;
    slot = {key, note};
    ++m_used;
}

CNote* CFirstNoteIndex::Find(std::int32_t clock, std::int32_t panel) const
{
    if (m_slots.empty())
        return nullptr;
    return m_slots[SlotOf(Key(clock, panel))].note;
}

} // namespace zelvane
