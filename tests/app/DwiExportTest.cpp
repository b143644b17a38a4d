#include "app/AppTestSupport.h"
#include "text/StringTable.h"

namespace zelvane {
namespace {

using AppDwiExport = test::FrameTest;

QString ExportedText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A DWI file has no warps: the export writes the rest and then says once, in the program's
// words, what it left out.
TEST_F(AppDwiExport, WhatTheFileCannotHoldIsSaidOnceAfterTheExport)
{
    AddNotes({{0, 0, 0}, {48, 1, 0}, {144, 2, 0}});
    CTempoMap map(120.0f);
    ASSERT_TRUE(
        map.Add(std::vector<CTempoEvent>{CTempoChange{48, 60.0f}, CWarp{96, 24}, CWarp{300, 1}})
            .empty());
    frame->document().SetTempoMap(map);

    const QString warped = Path(QStringLiteral("warped.dwi"));
    auto chosen = test::Prompts().AnswerFile(warped);
    QString said;
    auto told = test::AnswerMessage({}, &said);
    frame->action(ID_FILE_EXPORT_DWI)->trigger();
    EXPECT_TRUE(*chosen);
    EXPECT_TRUE(*told);
    EXPECT_EQ(said, ToQString(FormatString(IDS_DWI_EXPORT_LEFT_OUT, {"2", "0"})));
    const QString text = ExportedText(warped);
    EXPECT_TRUE(text.contains(QStringLiteral("#GAP:0;\r\n#CHANGEBPM:4=60.000;\r\n#SINGLE:")))
        << text.toStdString();
}

} // namespace
} // namespace zelvane
