#include "model/ModelLoader.h"

#include "model/PmdReader.h"
#include "model/PmxModelBuilder.h"
#include "model/PmxReader.h"

#include <array>
#include <fstream>

namespace zelvane {

namespace {

constexpr std::array<std::uint8_t, 4> kPmxMagic{'P', 'M', 'X', ' '};

std::string FolderOf(const std::filesystem::path& path)
{
    std::string folder = std::filesystem::absolute(path).parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

bool LooksLikePmx(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= kPmxMagic.size()
        && std::equal(kPmxMagic.begin(), kPmxMagic.end(), bytes.begin());
}

std::unique_ptr<CModelDocument> ReadModelFile(std::span<const std::uint8_t> bytes,
                                              const std::string& modelFolder)
{
    if (LooksLikePmx(bytes))
        return ModelFromPmx(ReadPmxFile(bytes), modelFolder);
    return ReadModelDocument(bytes, modelFolder);
}

std::unique_ptr<CModelDocument> LoadModelFile(const std::filesystem::path& path)
{
    // Only the first bytes are looked at here; each reader reads the file itself, through
    // the limits and error reports it has for a file of its kind.
    std::array<std::uint8_t, 4> start{};
    {
        std::ifstream stream(path, std::ios::binary);
        stream.read(reinterpret_cast<char*>(start.data()), start.size());
        if (stream.gcount() != static_cast<std::streamsize>(start.size()))
            start = {};
    }
    if (LooksLikePmx(start))
        return ModelFromPmx(LoadPmxFile(path), FolderOf(path));
    return LoadModelDocument(path);
}

} // namespace zelvane
