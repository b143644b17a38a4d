#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zelvane {

// One text of a table kept in ascending ID order, so that a lookup is a binary search: the
// string table and the English twins of its reasons are such tables.
struct TextById {
    std::uint32_t id;
    std::string_view text;
};

// For a static_assert beside each table: a lookup in a table out of order misses.
constexpr bool IsInAscendingIdOrder(std::span<const TextById> table)
{
    for (std::size_t i = 1; i < table.size(); ++i)
        if (table[i - 1].id >= table[i].id)
            return false;
    return true;
}

// The entry of `id`, or null.
inline const TextById* FindTextById(std::span<const TextById> table, std::uint32_t id)
{
    const auto it
        = std::lower_bound(table.begin(), table.end(), id,
                           [](const TextById& entry, std::uint32_t key) { return entry.id < key; });
    return it != table.end() && it->id == id ? &*it : nullptr;
}

// Every ID of the table, ascending.
inline std::vector<std::uint32_t> IdsOf(std::span<const TextById> table)
{
    std::vector<std::uint32_t> ids;
    ids.reserve(table.size());
    for (const TextById& entry : table)
        ids.push_back(entry.id);
    return ids;
}

} // namespace zelvane
