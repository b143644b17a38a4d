// zelvane-cli: the program's main jobs without a display, for batch work and for tests.

#include "chart/StepDocument.h"
#include "cli/CliHost.h"
#include "cli/DocumentJson.h"
#include "media/FfmpegAudioMeasurer.h"
#include "text/Errors.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <iostream>

namespace {

using namespace zelvane;

std::string LowerExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

int Info(const std::string& file, bool json)
{
    const std::string extension = LowerExtension(file);
    if (extension != ".zlvm")
        throw InvalidArgumentError("cannot tell what \"" + file
                                   + "\" holds: the extension is not one of .zlvm");
    cli::CliHost host;
    FfmpegAudioMeasurer audio;
    CStepDocument document(&host, &audio);
    try {
        document.OpenDocument(file);
    } catch (const FileFormatError& error) {
        throw FileFormatError("\"" + file
                              + "\" is damaged or not a Zelvane document: " + error.what());
    }
    if (json)
        std::cout << cli::DocumentToJson(document, "").dump() << "\n";
    else
        std::cout << cli::DocumentSummary(document, "");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Zelvane on the command line: step charts, documents and dance motions"};
    app.require_subcommand(1);

    std::string infoFile;
    bool infoJson = false;
    auto* info = app.add_subcommand("info", "Show what a file holds (.zlvm)");
    info->add_option("FILE", infoFile, "the file")->required();
    info->add_flag("--json", infoJson, "print JSON");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }

    try {
        if (info->parsed())
            return Info(infoFile, infoJson);
    } catch (const std::exception& error) {
        std::cerr << "zelvane-cli: error: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
