// Starts Qt for the widget tests: offscreen unless a platform is asked for, and with the
// settings and the data folder (recovery copies) in folders of this process's own, so no
// test reads or writes the user's, nor another test process's running beside it.
#include "app/AppTestSupport.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    // The suites read the program's Japanese texts whatever the locale of the machine; the
    // language tests set the locale they need.
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "C.UTF-8");
    QApplication application(argc, argv);
    zelvane::SetPrompter(&zelvane::test::Prompts());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
