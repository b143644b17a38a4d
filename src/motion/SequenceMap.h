#pragma once

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
        m_entries.emplace_back(nameID, std::make_unique<Sequence>());
        Sequence& created = *m_entries.back().second;
        m_index.emplace(nameID, &created);
        return created;
    }

    Sequence* Find(int nameID)
    {
        const auto found = m_index.find(nameID);
        return found == m_index.end() ? nullptr : found->second;
    }
    const Sequence* Find(int nameID) const
    {
        const auto found = m_index.find(nameID);
        return found == m_index.end() ? nullptr : found->second;
    }

    void Clear()
    {
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
    std::vector<Entry> m_entries;
    std::unordered_map<int, Sequence*> m_index;
};

} // namespace zelvane
