#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zelvane {

// The keys of one bone or morph in ascending frame order; keys with equal frames keep the
// order they were inserted in. Keys are stored by value: the generator appends them in
// frame order, so inserting is amortised constant time; other searches are bisections.
// Pointers to keys stay valid until the next Insert or RemoveAfter.
template<typename T> class CMotionFrameSequence {
public:
    const std::vector<T>& keys() const { return m_keys; }
    std::size_t size() const { return m_keys.size(); }
    bool empty() const { return m_keys.empty(); }

    // Inserts after every key whose frame is the same or smaller. A key at or after the
    // last one, the generator's case, is appended without a search.
    T& Insert(const T& key)
    {
        if (m_keys.empty() || m_keys.back().frame <= key.frame)
            return m_keys.emplace_back(key);
        const auto at = std::upper_bound(m_keys.begin(), m_keys.end(), key.frame,
                                         [](std::int32_t f, const T& k) { return f < k.frame; });
        return *m_keys.insert(at, key);
    }

    // The first key on exactly frame f, or null. A frame after the last key, where the
    // generator looks before adding a key, is answered without a search.
    T* Find(std::int32_t f)
    {
        if (m_keys.empty() || m_keys.back().frame < f)
            return nullptr;
        const auto at = LowerBound(f);
        return at != m_keys.end() && at->frame == f ? &*at : nullptr;
    }
    const T* Find(std::int32_t f) const { return const_cast<CMotionFrameSequence*>(this)->Find(f); }

    // The last key with a frame at or before f, or null.
    const T* FindAtOrBefore(std::int32_t f) const
    {
        const auto at = std::upper_bound(m_keys.begin(), m_keys.end(), f,
                                         [](std::int32_t g, const T& k) { return g < k.frame; });
        return at == m_keys.begin() ? nullptr : &*(at - 1);
    }

    // The first key with a frame at or after f, or null.
    const T* FindAtOrAfter(std::int32_t f) const
    {
        const auto at = const_cast<CMotionFrameSequence*>(this)->LowerBound(f);
        return at == m_keys.end() ? nullptr : &*at;
    }

    // Deletes every key whose frame is greater than f.
    void RemoveAfter(std::int32_t f)
    {
        const auto at = std::upper_bound(m_keys.begin(), m_keys.end(), f,
                                         [](std::int32_t g, const T& k) { return g < k.frame; });
        m_keys.erase(at, m_keys.end());
    }

    void Clear() { m_keys.clear(); }
    // Makes room for `count` keys in all, so that appending up to there never moves them.
    // Growing, it at least doubles the room, so that edits that each want a little more
    // do not copy every key each time.
    void Reserve(std::size_t count)
    {
        if (count > m_keys.capacity())
            m_keys.reserve(std::max(count, 2 * m_keys.capacity()));
    }

private:
    typename std::vector<T>::iterator LowerBound(std::int32_t f)
    {
        return std::lower_bound(m_keys.begin(), m_keys.end(), f,
                                [](const T& k, std::int32_t g) { return k.frame < g; });
    }

    std::vector<T> m_keys;
};

} // namespace zelvane
