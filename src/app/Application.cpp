#include "app/Application.h"

#include "app/MainFrame.h"
#include "app/ToolbarIcons.h"
#include "app/Translations.h"

#include <QApplication>
#include <QCommandLineParser>

namespace zelvane {

CZelvane::CZelvane(QApplication& application)
    : m_application(application)
{
    QApplication::setOrganizationName(QStringLiteral("Kestrane"));
    QApplication::setApplicationName(QStringLiteral("Zelvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZELVANE_APP_ID));
    QApplication::setApplicationVersion(QStringLiteral("2.0.1"));
    QApplication::setWindowIcon(ProgramIcon());
    // Japanese unless the locale is English or English was chosen; Qt's own dialogs (colours,
    // files, message boxes) follow when its texts of that language are installed.
    InstallTranslations(StartupLanguage());
}

CZelvane::~CZelvane() = default;

CMainFrame& CZelvane::Start(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zelvane"));
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("a document (.zlvm), model (.pmd, .pmx) or chart "
                                                "(.dwi, .sm, .ssc) to open"),
                                 QStringLiteral("[file...]"));
    parser.process(QStringList{QApplication::applicationFilePath()} + arguments);

    m_frame = std::make_unique<CMainFrame>();
    m_frame->ShowWithSavedPlacement();
    m_frame->OfferRecovery();
    // A file that cannot be read is reported and the program goes on with a new document.
    for (const QString& path : parser.positionalArguments())
        m_frame->OpenFile(path);
    return *m_frame;
}

int CZelvane::Run()
{
    Start(m_application.arguments().mid(1));
    return m_application.exec();
}

} // namespace zelvane
