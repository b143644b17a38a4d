#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace zelvane {

// The easing tables of interpolation curves, each computed once and kept, known by a small
// index. Keys refer to their four tables by index instead of holding or counting them, so
// keys stay small and copying one is a plain copy. The program's curves live in Shared().
//
// A dance uses a handful of curves and a motion file rarely more than a few hundred, but a
// file can name any curve: past the capacity no more tables are kept, and IndexOf answers
// kUntabulated for a new curve.
class CCurveTables {
public:
    using Table = std::array<std::int8_t, 128>;

    static constexpr std::uint32_t kCapacity = 0xFFFF;
    // The index of a curve whose table is not kept.
    static constexpr std::uint16_t kUntabulated = 0xFFFF;
    // The index of the curve of a new key, (25, 25, 102, 102), ready from the start.
    static constexpr std::uint16_t kDefault = 0;

    explicit CCurveTables(std::uint32_t capacity = kCapacity);
    CCurveTables(const CCurveTables&) = delete;
    CCurveTables& operator=(const CCurveTables&) = delete;
    ~CCurveTables();

    static CCurveTables& Shared();

    // The index of the curve through (x1, y1) and (x2, y2), tabulated on first use. Safe
    // from any thread.
    std::uint16_t IndexOf(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2);
    // The table of an index IndexOf returned (other than kUntabulated). Takes no lock:
    // tables never move once written, and the index reached this thread after its table
    // was written.
    const Table& Get(std::uint16_t index) const;
    std::uint32_t size() const;

    // The table of a cubic Bezier from (0, 0) to (127, 127) through the control points:
    // for every x the parameter t is found by bisection and the height at t is kept.
    static Table Compute(float x1, float y1, float x2, float y2);

private:
    static constexpr std::uint32_t kChunkSize = 256;
    using Chunk = std::array<Table, kChunkSize>;

    std::uint16_t Add(std::uint32_t points, std::int8_t x1, std::int8_t y1, std::int8_t x2,
                      std::int8_t y2);

    const std::uint32_t m_capacity;
    mutable std::mutex m_mutex;
    std::unordered_map<std::uint32_t, std::uint16_t> m_indexByPoints;
    // Allocated whole and never freed before the tables go: a table never moves.
    std::array<std::unique_ptr<Chunk>, (kCapacity + kChunkSize - 1) / kChunkSize> m_chunks;
    std::uint32_t m_count = 0;
};

} // namespace zelvane
