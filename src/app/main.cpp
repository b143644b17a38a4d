#include "app/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    zelvane::CZelvane program(application);
    return program.Run();
}
