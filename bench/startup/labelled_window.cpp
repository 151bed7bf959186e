// A fairer yardstick for start-up: a minimal window that lays out one line of
// text and carries a menu bar, as every real window of a program does. The
// first text layout pays for the font system's set-up, which no window with
// text can avoid.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.setCentralWidget(new QLabel(QStringLiteral("Selenoscope v1.0")));
    window.resize(435, 463);
    window.show();
    return QApplication::exec();
}
