#pragma once

#include "base/Note.h"

#include <cstdint>
#include <vector>

namespace zelvane {

// The first note staged at each clock and panel, for the DWI reader's freeze marks. One flat
// table with open addressing: a long chart adds an entry per step, and a node allocated per
// entry would cost more than the step itself.
class CFirstNoteIndex {
public:
    // Remembers `note` at `clock` and `panel` unless a note is there already.
    void Add(std::int32_t clock, std::int32_t panel, CNote* note);
    // The first note added there, or none.
    CNote* Find(std::int32_t clock, std::int32_t panel) const;

private:
    struct Slot {
        std::uint64_t key = 0;
        CNote* note = nullptr; // none: the slot is free
    };
    static std::uint64_t Key(std::int32_t clock, std::int32_t panel);
    std::size_t SlotOf(std::uint64_t key) const;
    void Grow();

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    int m_shift = 64; // keeps the top bits of a hash: as many as the table has slots
};

} // namespace zelvane
