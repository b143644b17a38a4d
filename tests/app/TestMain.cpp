// Starts Qt for the widget tests: offscreen unless a platform is asked for, and with the
// settings in a folder of their own so no test reads or writes the user's.
#include "app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication application(argc, argv);
    zelvane::SetPrompter(&zelvane::test::Prompts());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
