#include "motion/CurveTables.h"

#include <algorithm>

namespace zelvane {
namespace {

std::uint32_t PackPoints(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(x1))
        | static_cast<std::uint32_t>(static_cast<std::uint8_t>(y1)) << 8
        | static_cast<std::uint32_t>(static_cast<std::uint8_t>(x2)) << 16
        | static_cast<std::uint32_t>(static_cast<std::uint8_t>(y2)) << 24;
}

// The curves every dance uses, at these indices in every set of tables and found without
// taking the lock. The first is the curve of a new key.
constexpr std::array<std::array<std::int8_t, 4>, 4> kCommonCurves = {{
    {25, 25, 102, 102}, // new keys
    {20, 20, 107, 107}, // centre keys, base pose
    {64, 0, 64, 127},   // the centre's bounce
    {0, 20, 107, 107},  // base pose
}};

} // namespace

CCurveTables::CCurveTables(std::uint32_t capacity)
    : m_capacity(std::clamp<std::uint32_t>(capacity, kCommonCurves.size(), kCapacity))
{
    for (const auto& [x1, y1, x2, y2] : kCommonCurves)
        Add(PackPoints(x1, y1, x2, y2), x1, y1, x2, y2);
}

CCurveTables::~CCurveTables() = default;

CCurveTables& CCurveTables::Shared()
{
    static CCurveTables tables;
    return tables;
}

CCurveTables::Table CCurveTables::Compute(float x1, float y1, float x2, float y2)
{
    // At most 15 halvings, down to steps of 1/65536. Single precision throughout: the
    // tables of the files this program writes are reproduced exactly by MMD.
    Table table{};
    for (int i = 0; i < 128; ++i) {
        float t = 0.5f;
        float s = 1.0f - t;
        for (int j = 0;;) {
            const float x = 3.0f * s * s * t * x1 + 3.0f * s * t * t * x2 + t * t * t * 127.0f
                - static_cast<float>(i);
            if (x == 0.0f)
                break;
            const float step = 1.0f / (4.0f * static_cast<float>(1 << j));
            t = x > 0.0f ? t - step : t + step;
            s = 1.0f - t;
            ++j;
            if (j > 14)
                break;
        }
        const float y = 3.0f * s * s * t * y1 + 3.0f * s * t * t * y2 + t * t * t * 127.0f;
        table[i] = static_cast<std::int8_t>(static_cast<int>(y));
    }
    return table;
}

std::uint16_t CCurveTables::IndexOf(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
{
    for (std::size_t i = 0; i < kCommonCurves.size(); ++i) {
        const auto& common = kCommonCurves[i];
        if (common[0] == x1 && common[1] == y1 && common[2] == x2 && common[3] == y2)
            return static_cast<std::uint16_t>(i);
    }
    const std::uint32_t points = PackPoints(x1, y1, x2, y2);
    std::lock_guard lock(m_mutex);
    const auto found = m_indexByPoints.find(points);
    if (found != m_indexByPoints.end())
        return found->second;
    return Add(points, x1, y1, x2, y2);
}

std::uint16_t CCurveTables::Add(std::uint32_t points, std::int8_t x1, std::int8_t y1,
                                std::int8_t x2, std::int8_t y2)
{
    if (m_count >= m_capacity)
        return kUntabulated;
    std::unique_ptr<Chunk>& chunk = m_chunks[m_count / kChunkSize];
    if (!chunk)
        chunk = std::make_unique<Chunk>();
    (*chunk)[m_count % kChunkSize] = Compute(x1, y1, x2, y2);
    const auto index = static_cast<std::uint16_t>(m_count);
    m_indexByPoints.emplace(points, index);
    ++m_count;
    return index;
}

const CCurveTables::Table& CCurveTables::Get(std::uint16_t index) const
{
    return (*m_chunks[index / kChunkSize])[index % kChunkSize];
}

std::uint32_t CCurveTables::size() const
{
    std::lock_guard lock(m_mutex);
    return m_count;
}

} // namespace zelvane
