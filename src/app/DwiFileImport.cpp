#include "app/DwiFileImport.h"

#include "dwi/DwiImport.h"
#include "qtcommon/QtText.h"

#include <vector>

namespace zelvane {
namespace {

QString DiagnosticText(const DwiDiagnostic& diagnostic)
{
    switch (diagnostic.kind) {
    case DwiDiagnostic::Kind::UnknownTag:
        return FormatQString(IDS_DWI_UNSUPPORTED_TAG, {diagnostic.argument});
    case DwiDiagnostic::Kind::InvalidTempo:
        return FormatQString(IDS_DWI_UNSUPPORTED_TAG, {"BPM:" + diagnostic.argument});
    case DwiDiagnostic::Kind::UnknownCharacter:
        return FormatQString(IDS_DWI_UNSUPPORTED_CHARACTER, {diagnostic.argument});
    case DwiDiagnostic::Kind::InvalidTempoChange:
        return FormatQString(IDS_DWI_UNSUPPORTED_TAG, {"CHANGEBPM:" + diagnostic.argument});
    case DwiDiagnostic::Kind::InvalidFreeze:
        return FormatQString(IDS_DWI_UNSUPPORTED_TAG, {"FREEZE:" + diagnostic.argument});
    }
    return QString();
}

} // namespace

DwiImportResult ImportDwiFile(CStepDocument& document, const std::filesystem::path& path,
                              const std::function<bool()>& confirmReplace)
{
    return ImportDwi(document, path, confirmReplace, [](const DwiDiagnostics& diagnostics) {
        return ToStdString(DwiDiagnosticsText(diagnostics));
    });
}

QString DwiDiagnosticsText(const DwiDiagnostics& diagnostics)
{
    QStringList lines;
    for (const DwiDiagnostic& diagnostic : diagnostics.listed) {
        if (IsWithoutBearingOnTheDance(diagnostic))
            continue;
        lines << FormatQString(IDS_DWI_LINE_PREFIX, {std::to_string(diagnostic.line)})
                + DiagnosticText(diagnostic);
    }
    const std::int64_t unlisted = diagnostics.unlisted - diagnostics.unlistedWithoutBearing;
    if (unlisted > 0)
        lines << FormatQString(IDS_CHART_WARNINGS_MORE, {std::to_string(unlisted)});
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace zelvane
