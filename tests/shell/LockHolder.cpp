// Takes the program's single-instance lock at the path given and holds it
// until killed, standing in for a running copy of the program.
#include "shell/SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    std::puts(instance.acquire() ? "locked" : "refused");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
