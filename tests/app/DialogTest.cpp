#include "app/AppTestSupport.h"
#include "app/FileNotFoundDialog.h"
#include "app/MotionOptionDialog.h"
#include "app/SongDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace zelvane {
namespace {

void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

TEST(AppSongDialog, OkIsEnabledOnlyForATempoAboveZero)
{
    CSongDialog dialog(SongProperties{"t", "a", 120.0f, 0});
    dialog.show();
    EXPECT_EQ(dialog.bpmEdit()->text(), QStringLiteral("120"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    const struct {
        const char* text;
        bool enabled;
    } cases[] = {{"0", false},   {"-5", false},   {"0.5", true},   {"", false},
                 {"abc", false}, {"1e40", false}, {"150.25", true}};
    for (const auto& entry : cases) {
        Retype(dialog.bpmEdit(), QString::fromLatin1(entry.text));
        EXPECT_EQ(dialog.okButton()->isEnabled(), entry.enabled) << entry.text;
    }
}

TEST(AppSongDialog, AcceptedValuesKeepTheTempoBitsAndRejectANonNumericGap)
{
    // A tempo the dialog shows must read back to the same float, or pressing OK would
    // change the song's timing without the user touching it.
    const float oddTempo = 123.4567f;
    CSongDialog dialog(SongProperties{"", "", oddTempo, 25});
    dialog.show();
    // Japanese text comes from an input method, not key by key.
    dialog.titleEdit()->setText(QStringLiteral("曲名"));
    Retype(dialog.gapEdit(), QStringLiteral("x1"));
    auto warned = test::Prompts().Answer<QMessageBox>([](QMessageBox& box) { box.accept(); });
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(*warned);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    Retype(dialog.gapEdit(), QStringLiteral("-250"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().title, "曲名");
    EXPECT_EQ(dialog.values().bpm, oddTempo);
    EXPECT_EQ(dialog.values().gap, -250);
}

TEST(AppMotionOptionDialog, OkFollowsThePanelSizeAndTheTurnBoxIsInverted)
{
    CMotionOptionDialog dialog(MotionOptions{12.0f, true, false}, FootAssignment::GREEDY);
    dialog.show();
    // A new document has both boxes ticked: twisting on, turning suppressed.
    EXPECT_TRUE(dialog.twistBox()->isChecked());
    EXPECT_TRUE(dialog.suppressTurnBox()->isChecked());
    for (const char* text : {"0", "-1", "", "x"}) {
        Retype(dialog.panelSizeEdit(), QString::fromLatin1(text));
        EXPECT_FALSE(dialog.okButton()->isEnabled()) << text;
    }
    Retype(dialog.panelSizeEdit(), QStringLiteral("0.5"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    for (QCheckBox* box : {dialog.suppressTurnBox(), dialog.twistBox()}) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
    }
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().panelSize, 0.5f);
    EXPECT_FALSE(dialog.values().twist);
    EXPECT_TRUE(dialog.values().turnEnabled);
}

TEST(AppFileNotFoundDialog, IgnoreForgetsThePathAndACancelledBrowseStaysOpen)
{
    // The message text itself is checked where a document opens with a missing song.
    CFileNotFoundDialog ignoring(QStringLiteral("m"), QStringLiteral("/nowhere/a.wav"), 148,
                                 QString());
    EXPECT_EQ(ignoring.windowTitle(), QStringLiteral("Zelvane"));
    QTest::mouseClick(ignoring.ignoreButton(), Qt::LeftButton);
    EXPECT_EQ(ignoring.result(), CFileNotFoundDialog::kIgnore);
    EXPECT_TRUE(ignoring.path().isEmpty());

    CFileNotFoundDialog browsing(QStringLiteral("m"), QStringLiteral("/nowhere/a.pmd"), 139,
                                 QString());
    browsing.show();
    auto browsed = test::Prompts().AnswerFile(QString());
    QTest::mouseClick(browsing.browseButton(), Qt::LeftButton);
    EXPECT_TRUE(*browsed);
    EXPECT_TRUE(browsing.isVisible());
    EXPECT_TRUE(browsing.path().isEmpty());
}

} // namespace
} // namespace zelvane
