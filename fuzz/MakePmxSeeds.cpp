// Writes starting inputs for the PMX fuzzer: the tests' small model with every kind of record
// in each version, text encoding and index size, and each model named on the command line
// (PMD or PMX) as PMX, the way a modelling tool converts one. Nobody ships PMX files beside
// the project, and a fuzzer left to find "PMX " and a valid header by itself spends its run
// on the first bytes.
//
// Usage: make_pmx_seeds OUT_FOLDER [MODEL...]   exits 1 when a model cannot be read or a seed
// cannot be written.
#include "model/ModelLoader.h"
#include "model/PmxFromModel.h"
#include "model/PmxSample.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

using namespace zelvane;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_pmx_seeds OUT_FOLDER [MODEL...]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    try {
        std::filesystem::create_directories(out);
        for (const float version : {2.0f, 2.1f})
            for (const std::uint8_t encoding : {std::uint8_t{0}, std::uint8_t{1}})
                for (const std::uint8_t indexSize :
                     {std::uint8_t{1}, std::uint8_t{2}, std::uint8_t{4}}) {
                    const PmxFile file
                        = test::PmxSample(test::PmxSampleHeader(version, encoding, indexSize));
                    const std::string name = std::string(version > 2.05f ? "v21" : "v20")
                        + (encoding == 0 ? "-utf16" : "-utf8") + "-index"
                        + std::to_string(indexSize) + ".pmx";
                    WriteFileAtomically(
                        out / name, test::PmxTestWriter(file).Write(test::PmxSampleSoftBodies()));
                }
        for (int i = 2; i < argc; ++i) {
            const std::filesystem::path model = argv[i];
            const PmxFile file = test::PmxFromModel(*LoadModelFile(model));
            WriteFileAtomically(out / (model.stem().string() + ".pmx"),
                                test::PmxTestWriter(file).Write());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_pmx_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
