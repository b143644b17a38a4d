#pragma once

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zelvane {

// Owning map from name ID to a key sequence. Sequences are visited in the order they were
// created, so a motion read from a file is written back bone by bone as it first appeared,
// and a generated one in the order the dance first touched each bone.
template<typename Sequence> class CSequenceMap {
public:
    using Entry = std::pair<int, std::unique_ptr<Sequence>>;

    // The sequence of `nameID`, created empty when missing.
    Sequence& Get(int nameID)
    {
        if (Sequence* found = Find(nameID))
            return *found;
        std::unique_ptr<Sequence> sequence;
        if (const auto spare = m_spare.find(nameID); spare != m_spare.end()) {
            sequence = std::move(spare->second);
            m_spare.erase(spare);
        } else {
            sequence = std::make_unique<Sequence>();
        }
        if (Small(nameID) && static_cast<std::size_t>(nameID) >= m_small.size())
            m_small.resize(static_cast<std::size_t>(nameID) + 1, nullptr);
        m_entries.emplace_back(nameID, std::move(sequence));
        Sequence& created = *m_entries.back().second;
        if (Small(nameID))
            m_small[static_cast<std::size_t>(nameID)] = &created;
        else
            m_index.emplace(nameID, &created);
        return created;
    }

    // Makes room for `count` more keys in the sequence of `nameID`. A sequence not created
    // yet is not created here, so the order of the sequences stays that of their first
    // keys; the room waits for it.
    void Reserve(int nameID, std::size_t count)
    {
        if (Sequence* found = Find(nameID)) {
            found->Reserve(found->size() + count);
            return;
        }
        std::unique_ptr<Sequence>& spare = m_spare[nameID];
        if (!spare)
            spare = std::make_unique<Sequence>();
        spare->Reserve(count);
    }

    Sequence* Find(int nameID)
    {
        if (Small(nameID)) {
            const auto slot = static_cast<std::size_t>(nameID);
            return slot < m_small.size() ? m_small[slot] : nullptr;
        }
        const auto found = m_index.find(nameID);
        return found == m_index.end() ? nullptr : found->second;
    }
    const Sequence* Find(int nameID) const { return const_cast<CSequenceMap*>(this)->Find(nameID); }

    void Clear()
    {
        m_small.clear();
        m_index.clear();
        m_entries.clear();
        m_spare.clear();
    }

    // Empties the map as Clear does, but keeps each emptied sequence, storage and all, for
    // its name: a dance rebuilt from scratch writes its keys into memory it already has
    // instead of asking the system for fresh pages.
    void ClearKeepingStorage()
    {
        for (Entry& entry : m_entries) {
            entry.second->Clear();
            m_spare.insert_or_assign(entry.first, std::move(entry.second));
        }
        std::fill(m_small.begin(), m_small.end(), nullptr);
        m_index.clear();
        m_entries.clear();
    }

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

    // Total number of keys over all sequences.
    std::size_t KeyCount() const
    {
        std::size_t count = 0;
        for (const Entry& entry : m_entries)
            count += entry.second->size();
        return count;
    }

private:
    // The built-in names (500 to 552) and the first names of other models have IDs below
    // this: their sequences are found by direct index, the others by hash.
    static constexpr int kSmallIDs = 1024;
    static bool Small(int nameID) { return nameID >= 0 && nameID < kSmallIDs; }

    std::vector<Entry> m_entries;
    std::vector<Sequence*> m_small;
    std::unordered_map<int, Sequence*> m_index;
    // Emptied sequences waiting for their names to come back.
    std::unordered_map<int, std::unique_ptr<Sequence>> m_spare;
};

} // namespace zelvane
