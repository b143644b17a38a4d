#include "model/NameIds.h"

#include "text/StringTable.h"

#include <mutex>
#include <unordered_map>

namespace zelvane {
namespace {

// Process-wide: the same name must give the same ID for every model and motion of the run.
struct Registry {
    std::mutex mutex;
    std::unordered_map<std::uint32_t, std::string> namesById;
    std::unordered_map<std::string, std::uint32_t> idsByName;
    std::int32_t dynamicCounter = 0;

    void Record(std::uint32_t id, std::string name)
    {
        auto [it, inserted] = namesById.try_emplace(id, name);
        if (!inserted) {
            if (it->second == name)
                return;
            // The name held under this ID is replaced; forget the old name's reverse entry
            // only if it pointed here.
            auto old = idsByName.find(it->second);
            if (old != idsByName.end() && old->second == id)
                idsByName.erase(old);
            it->second = name;
        }
        idsByName.try_emplace(std::move(name), id);
    }
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

int NameToID(std::string_view name)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    if (auto it = registry.idsByName.find(std::string(name)); it != registry.idsByName.end())
        return static_cast<int>(it->second);
    if (auto id = FindStringId(name))
        return static_cast<int>(*id);
    // Past the first 127 names the count reaches the string table's IDs: those are skipped,
    // or a model's own bone could take the ID of a built-in one (センター, a foot's IK).
    auto id = static_cast<std::uint32_t>(++registry.dynamicCounter);
    while (HasString(id))
        id = static_cast<std::uint32_t>(++registry.dynamicCounter);
    registry.Record(id, std::string(name));
    return static_cast<int>(id);
}

std::string IDToName(int id)
{
    Registry& registry = TheRegistry();
    const auto key = static_cast<std::uint32_t>(id);
    std::lock_guard lock(registry.mutex);
    if (HasString(key)) {
        std::string text(LoadString(key));
        registry.Record(key, text);
        return text;
    }
    if (auto it = registry.namesById.find(key); it != registry.namesById.end())
        return it->second;
    return {};
}

} // namespace zelvane
