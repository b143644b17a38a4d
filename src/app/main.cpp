#include "app/AboutDialog.h"
#include "app/Application.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Answered before Qt starts, so that it works without a display, as zelvane-cli's does.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("zelvane %s\n", zelvane::BuildVersionText().toUtf8().constData());
            return 0;
        }
    }
    QApplication application(argc, argv);
    zelvane::CZelvane program(application);
    return program.Run();
}
