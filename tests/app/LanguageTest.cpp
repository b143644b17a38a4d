#include "app/AppDocumentHost.h"
#include "app/AppTestSupport.h"
#include "app/CommandTable.h"
#include "app/DwiFileImport.h"
#include "app/ErrorMessages.h"
#include "app/FileNotFoundDialog.h"
#include "app/Settings.h"
#include "app/TranslatableTexts.h"
#include "app/Translations.h"
#include "text/Errors.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>

namespace zelvane {
namespace {

// The locale of the test's environment, as a user's session sets it: LC_ALL and LC_MESSAGES
// unset, LANG as given. The program's language is chosen again from it, as at a start.
class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::Stored().clear();
        test::Prompts().Clear();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    }
    void TearDown() override
    {
        frame.reset();
        for (const Saved& saved : m_saved) {
            if (saved.set)
                qputenv(saved.name, saved.value);
            else
                qunsetenv(saved.name);
        }
        // The other suites read the Japanese texts.
        InstallTranslations(UiLanguage::Japanese);
        test::Stored().clear();
    }
    void StartIn(const char* lang)
    {
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", lang);
        InstallTranslations(StartupLanguage());
        frame = std::make_unique<CMainFrame>();
    }
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* menu : frame->menuBar()->actions())
            titles << QString(menu->text()).remove(QLatin1Char('&'));
        return titles;
    }
    QAction* LanguageItem(const QString& code) const
    {
        auto* languages = frame->findChild<QMenu*>(QStringLiteral("languageMenu"));
        if (!languages)
            return nullptr;
        for (QAction* action : languages->actions())
            if (action->data().toString() == code)
                return action;
        return nullptr;
    }

    std::unique_ptr<CMainFrame> frame;

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    QList<Saved> m_saved;
};

bool HasJapanese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

const QStringList kJapaneseTitles{QStringLiteral("ファイル(F)"), QStringLiteral("編集(E)"),
                                  QStringLiteral("表示(V)"), QStringLiteral("再生(P)"),
                                  QStringLiteral("ヘルプ(H)")};

// Which language each locale name asks for: English only for the English ones.
TEST(UiLanguage, EnglishLocalesAloneAskForEnglish)
{
    for (const char* name : {"en", "en_US.UTF-8", "en_GB", "EN_au.utf8", "en_IE@euro"})
        EXPECT_EQ(LanguageOfLocaleName(QString::fromLatin1(name)), UiLanguage::English) << name;
    for (const char* name : {"", "C", "POSIX", "C.UTF-8", "ja_JP.UTF-8", "de_DE", "eng", "fr_EN"})
        EXPECT_EQ(LanguageOfLocaleName(QString::fromLatin1(name)), UiLanguage::Japanese) << name;
}

// LC_ALL before LC_MESSAGES before LANG, an empty one counting as unset, as for setlocale.
TEST_F(LocaleTest, TheFirstLocaleVariableSetDecides)
{
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LC_MESSAGES", "ja_JP.UTF-8");
    qputenv("LC_ALL", "");
    EXPECT_EQ(LanguageOfEnvironment(), UiLanguage::Japanese);
    qputenv("LC_ALL", "en_GB.UTF-8");
    EXPECT_EQ(LanguageOfEnvironment(), UiLanguage::English);
    qunsetenv("LC_ALL");
    qputenv("LC_MESSAGES", "en_US.UTF-8");
    qputenv("LANG", "C");
    EXPECT_EQ(LanguageOfEnvironment(), UiLanguage::English);
    qunsetenv("LC_MESSAGES");
    qunsetenv("LANG");
    EXPECT_EQ(LanguageOfEnvironment(), UiLanguage::Japanese);
}

// An English locale gives English menus with mnemonics of their own, none twice in a menu or
// on the menu bar, and English dialogs: choosing Japanese says in English when it takes
// effect, with no Japanese in the box.
TEST_F(LocaleTest, AnEnglishLocaleGivesEnglishMenusAndMessages)
{
    StartIn("en_US.UTF-8");
    EXPECT_EQ(MenuTitles(),
              (QStringList{QStringLiteral("File"), QStringLiteral("Edit"), QStringLiteral("View"),
                           QStringLiteral("Play"), QStringLiteral("Help")}));
    const auto mnemonic = [](const QString& text) {
        const QRegularExpressionMatch match
            = QRegularExpression(QStringLiteral("&([^&])")).match(text);
        return match.hasMatch() ? match.captured(1).toUpper() : QString();
    };
    QStringList titleKeys;
    for (int index = 0; index < frame->menuBar()->actions().size(); ++index) {
        titleKeys << mnemonic(frame->menuBar()->actions()[index]->text());
        QStringList keys;
        for (QAction* action : frame->menu(index)->actions()) {
            if (action->isSeparator() || action == frame->action(ID_FILE_MRU_FIRST)
                || (!frame->actions().contains(action) && !action->menu()))
                continue; // headings and the recent files have none
            EXPECT_FALSE(HasJapanese(action->text())) << action->text().toStdString();
            keys << mnemonic(action->text());
        }
        for (const QString& key : keys)
            EXPECT_TRUE(!key.isEmpty() && keys.count(key) == 1)
                << "menu " << index << ": " << keys.join(u' ').toStdString();
    }
    EXPECT_EQ(titleKeys, (QStringList{"F", "E", "V", "P", "H"}));
    EXPECT_EQ(frame->action(ID_FILE_OPEN)->statusTip(), QStringLiteral("Open an existing file"));
    // The edit history names its commands in the core's Japanese; the menu says them in English.
    test::Retitle(frame->document(), "Renamed");
    emit frame->menu(1)->aboutToShow();
    EXPECT_EQ(frame->action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo - Song Settings\tCtrl+Z"));
    frame->document().Undo();
    emit frame->menu(1)->aboutToShow();
    EXPECT_EQ(frame->action(ID_EDIT_REDO)->text(), QStringLiteral("&Redo - Song Settings\tCtrl+Y"));
    EXPECT_EQ(frame->action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo\tCtrl+Z"));

    QAction* english = LanguageItem(QStringLiteral("en"));
    QAction* japanese = LanguageItem(QStringLiteral("ja"));
    ASSERT_TRUE(english && japanese);
    EXPECT_TRUE(english->isChecked());
    QString text;
    const auto asked = test::AnswerMessage({}, &text);
    japanese->trigger();
    EXPECT_TRUE(*asked);
    EXPECT_EQ(text, QStringLiteral("The language changes the next time Zelvane starts."));
    EXPECT_EQ(Settings::ReadLanguage(), UiLanguage::Japanese);
}

// Japanese and C locales give the Japanese menus; a language chosen in the menu wins over
// the locale at the next start.
TEST_F(LocaleTest, JapaneseAndCLocalesGiveJapaneseUnlessEnglishWasChosen)
{
    for (const char* lang : {"ja_JP.UTF-8", "C"}) {
        StartIn(lang);
        EXPECT_EQ(MenuTitles(), kJapaneseTitles) << lang;
        EXPECT_TRUE(LanguageItem(QStringLiteral("ja"))->isChecked());
    }
    QString text;
    const auto asked = test::AnswerMessage({}, &text);
    LanguageItem(QStringLiteral("en"))->trigger();
    EXPECT_TRUE(*asked);
    EXPECT_EQ(text, LoadQString(IDS_LANGUAGE_NEXT_START));
    EXPECT_TRUE(HasJapanese(text));

    StartIn("C");
    EXPECT_EQ(MenuTitles()[0], QStringLiteral("File"));
    Settings::WriteLanguage(UiLanguage::Japanese);
    StartIn("en_US.UTF-8");
    EXPECT_EQ(MenuTitles(), kJapaneseTitles);
}

// A failure is said in English: the kind's message from the translations, the reason from its
// English twin as a sentence. A missing song is asked about in English from end to end: the
// question the document worded in Japanese is said again, and the buttons are English.
TEST_F(LocaleTest, FailuresAndAMissingFileAreSaidInEnglish)
{
    StartIn("en_US.UTF-8");
    const ErrorText text = DescribeError(
        FileFormatError(Reason(IDS_REASON_PMD_CUT_SHORT, {Reason(IDS_REASON_PMD_VERTICES)})));
    EXPECT_EQ(text.message,
              QStringLiteral("The file is not in the right format, or it is damaged."));
    EXPECT_EQ(text.detail, QStringLiteral("The model file is cut short inside its vertices."));
    CAppDocumentHost host;
    QString message;
    QStringList buttons;
    const auto asked
        = test::Prompts().Answer<CFileNotFoundDialog>([&](CFileNotFoundDialog& dialog) {
              message = dialog.findChild<QLabel*>(QStringLiteral("message"))->text();
              for (const QPushButton* button : dialog.findChildren<QPushButton*>())
                  buttons << button->text();
              dialog.done(CFileNotFoundDialog::kIgnore);
          });
    const MissingFileAnswer answer
        = host.AnswerMissingFile({FormatString(IDS_FILE_NOT_FOUND, {"beat.wav"}),
                                  "/nowhere/beat.wav", IDS_FILTER_AUDIO, ""});
    EXPECT_TRUE(*asked);
    EXPECT_EQ(answer.action, MissingFileAnswer::Action::Ignore);
    EXPECT_EQ(message, QStringLiteral("There is no file named \"beat.wav\"."));
    ASSERT_FALSE(buttons.isEmpty());
    for (const QString& button : buttons)
        EXPECT_FALSE(HasJapanese(button)) << button.toStdString();
}

// What a DWI import could not take is listed in the program's language; in Japanese, word for
// word the core's list, tags without bearing on the dance left out of both.
TEST_F(LocaleTest, DwiImportProblemsAreListedInTheProgramsLanguage)
{
    DwiDiagnostics diagnostics;
    diagnostics.listed = {{DwiDiagnostic::Kind::UnknownTag, 3, "FOO"},
                          {DwiDiagnostic::Kind::UnknownTag, 4, "GENRE"},
                          {DwiDiagnostic::Kind::UnknownCharacter, 5, "x"},
                          {DwiDiagnostic::Kind::InvalidFreeze, 9, "12=-1"}};
    diagnostics.unlisted = 5;
    diagnostics.unlistedWithoutBearing = 3;
    StartIn("ja_JP.UTF-8");
    EXPECT_EQ(ToStdString(DwiDiagnosticsText(diagnostics)),
              FormatDwiDiagnosticsJapanese(diagnostics));
    StartIn("en_US.UTF-8");
    EXPECT_EQ(DwiDiagnosticsText(diagnostics),
              QStringLiteral("Line 3: \"FOO\" is not supported.\r\nLine 5: 'x' is not supported."
                             "\r\nLine 9: \"FREEZE:12=-1\" is not supported.\r\n…and 2 more"));
}

// The printf fields of a text, in order: a translation takes the same values.
QStringList Fields(const QString& text)
{
    QStringList fields;
    QRegularExpressionMatchIterator it
        = QRegularExpression(QStringLiteral("%[dsc%]")).globalMatch(text);
    while (it.hasNext())
        fields << it.next().captured();
    return fields;
}

// Every text the program shows has a finished English translation (lrelease leaves the
// unfinished ones out) that keeps the fields, the lines (prompt and tooltip, the parts of the
// document template), the shortcut after a tab and the patterns of a file-type filter, and a
// mnemonic where the Japanese has one.
TEST(Translations, EveryTextHasAFinishedEnglishTranslation)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/i18n/zelvane_en.qm")));
    const QList<TranslatableText> texts = TranslatableTexts();
    ASSERT_GT(texts.size(), 400);
    int menuTexts = 0;
    for (const TranslatableText& text : texts) {
        const std::string source = text.source.toStdString();
        const QString translated = english.translate(text.context, source.c_str());
        ASSERT_FALSE(translated.isEmpty()) << text.context << ": " << source;
        EXPECT_EQ(Fields(translated), Fields(text.source)) << source;
        EXPECT_EQ(translated.count(u'\n'), text.source.count(u'\n')) << source;
        EXPECT_EQ(translated.section(u'\t', 1), text.source.section(u'\t', 1)) << source;
        // A file-type filter's patterns, after the bar, are read as they are.
        EXPECT_EQ(translated.section(u'|', 1), text.source.section(u'|', 1)) << source;
        if (text.source.contains(u'&')) {
            EXPECT_TRUE(translated.contains(u'&')) << source;
        }
        menuTexts += qstrcmp(text.context, kMenuContext) == 0 ? 1 : 0;
    }
    EXPECT_EQ(menuTexts, MenuSourceTexts().size());
    // Of the document template only the filter's name is words; the extension and type names
    // are read by the program.
    const std::string documentTemplate(LoadString(IDS_DOCUMENT_TEMPLATE));
    const QString translatedTemplate
        = english.translate(kStringTableContext, documentTemplate.c_str());
    for (int part : {0, 1, 2, 4, 5, 6})
        EXPECT_EQ(translatedTemplate.section(u'\n', part, part),
                  ToQString(documentTemplate).section(u'\n', part, part))
            << part;
    // The table's IDs all reach a text: none is lost to the grouping by words.
    qsizetype ids = 0;
    for (const TranslatableText& text : texts)
        ids += text.ids.size();
    EXPECT_EQ(static_cast<std::size_t>(ids), StringIds().size());
}

} // namespace
} // namespace zelvane
