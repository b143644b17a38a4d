#include "dwi/DwiDiagnostics.h"

#include "text/StringTable.h"

#include <algorithm>
#include <array>

namespace zelvane {

void DwiDiagnostics::Add(DwiDiagnostic diagnostic)
{
    if (listed.size() < kMaxListed) {
        listed.push_back(std::move(diagnostic));
        return;
    }
    ++unlisted;
    if (IsWithoutBearingOnTheDance(diagnostic))
        ++unlistedWithoutBearing;
}

bool IsTagWithoutBearingOnTheDance(std::string_view tag)
{
    static constexpr std::array<std::string_view, 7> kTags{
        "DISPLAYBPM",   "CDTITLE",      "GENRE",         "SAMPLESTART",
        "SAMPLELENGTH", "DISPLAYTITLE", "DISPLAYARTIST",
    };
    return std::find(kTags.begin(), kTags.end(), tag) != kTags.end();
}

bool IsWithoutBearingOnTheDance(const DwiDiagnostic& diagnostic)
{
    return diagnostic.kind == DwiDiagnostic::Kind::UnknownTag
        && IsTagWithoutBearingOnTheDance(diagnostic.argument);
}

std::string FormatDwiDiagnosticsJapanese(const DwiDiagnostics& diagnostics)
{
    std::string text;
    for (const DwiDiagnostic& diagnostic : diagnostics.listed) {
        // Almost every real chart names its genre or cover: a list of those after each
        // import would teach the user to pass over the list.
        if (IsWithoutBearingOnTheDance(diagnostic))
            continue;
        if (!text.empty())
            text += "\r\n";
        text += FormatString(IDS_DWI_LINE_PREFIX, {std::to_string(diagnostic.line)});
        switch (diagnostic.kind) {
        case DwiDiagnostic::Kind::UnknownTag:
            text += FormatString(IDS_DWI_UNSUPPORTED_TAG, {diagnostic.argument});
            break;
        case DwiDiagnostic::Kind::InvalidTempo:
            text += FormatString(IDS_DWI_UNSUPPORTED_TAG, {"BPM:" + diagnostic.argument});
            break;
        case DwiDiagnostic::Kind::UnknownCharacter:
            text += FormatString(IDS_DWI_UNSUPPORTED_CHARACTER, {diagnostic.argument});
            break;
        case DwiDiagnostic::Kind::InvalidTempoChange:
            text += FormatString(IDS_DWI_UNSUPPORTED_TAG, {"CHANGEBPM:" + diagnostic.argument});
            break;
        case DwiDiagnostic::Kind::InvalidFreeze:
            text += FormatString(IDS_DWI_UNSUPPORTED_TAG, {"FREEZE:" + diagnostic.argument});
            break;
        }
    }
    const std::int64_t unlisted = diagnostics.unlisted - diagnostics.unlistedWithoutBearing;
    if (unlisted > 0)
        text += (text.empty() ? "" : "\r\n") + std::string("…ほか") + std::to_string(unlisted)
            + "件";
    return text;
}

std::string DescribeDwiDiagnostic(const DwiDiagnostic& diagnostic)
{
    std::string where = "line " + std::to_string(diagnostic.line) + ": ";
    switch (diagnostic.kind) {
    case DwiDiagnostic::Kind::UnknownTag:
        return where + "the tag \"" + diagnostic.argument + "\" is not supported";
    case DwiDiagnostic::Kind::InvalidTempo:
        return where + "the tempo \"" + diagnostic.argument + "\" is not a number above 0";
    case DwiDiagnostic::Kind::UnknownCharacter:
        return where + "'" + diagnostic.argument + "' is not a chart character";
    case DwiDiagnostic::Kind::InvalidTempoChange:
        return where + "the tempo change \"" + diagnostic.argument
            + "\" is not a position and a tempo above 0";
    case DwiDiagnostic::Kind::InvalidFreeze:
        return where + "the freeze \"" + diagnostic.argument
            + "\" is not a position and milliseconds of 0 or more";
    }
    return where;
}

} // namespace zelvane
