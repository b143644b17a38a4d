#include "cli/DocumentLoading.h"

#include "chart/StepDocument.h"
#include "text/Errors.h"

#include <algorithm>
#include <iostream>

namespace zelvane::cli {

std::string LowerExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string LoadChart(CStepDocument& document, const std::filesystem::path& path)
{
    const std::string extension = LowerExtension(path);
    if (extension == ".dwi") {
        document.NewDocument();
        const DwiImportResult result = document.ImportDwi(path);
        if (!result.imported)
            throw FileIoError(result.errors.empty() ? "cannot read \"" + path.string() + "\""
                                                    : result.errors);
        return result.errors;
    }
    if (extension == ".zlvm") {
        try {
            document.OpenDocument(path);
        } catch (const FileFormatError& error) {
            throw FileFormatError("\"" + path.string()
                                  + "\" is damaged or not a Zelvane document: " + error.what());
        }
        return {};
    }
    throw InvalidArgumentError("\"" + path.string() + "\" is not a chart: expected .dwi or .zlvm");
}

void PrintReadErrors(const std::filesystem::path& path, const std::string& errors)
{
    std::string lines = errors;
    for (std::size_t at; (at = lines.find("\r\n")) != std::string::npos;)
        lines.replace(at, 2, "\n");
    std::cerr << "zelvane-cli: warning: " << path.string() << " has parts that could not be read:\n"
              << lines << "\n";
}

Style ParseStyle(const std::string& text)
{
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (int value = 0; value < kStyleCount; ++value)
        if (StyleName(static_cast<Style>(value)) == upper)
            return static_cast<Style>(value);
    throw InvalidArgumentError("unknown style \"" + text + "\": expected SINGLE, DOUBLE or COUPLE");
}

CScore& RequireScore(CStepDocument& document, Style style, const std::string& difficulty)
{
    if (CScore* score = document.FindScore(style, difficulty))
        return *score;
    std::string known;
    for (const auto& score : document.scores()) {
        if (!known.empty())
            known += ", ";
        known += std::string(StyleName(score->style())) + " " + score->difficulty();
    }
    throw InvalidArgumentError("there is no " + std::string(StyleName(style)) + " \"" + difficulty
                               + "\" chart; the file has: " + known);
}

} // namespace zelvane::cli
