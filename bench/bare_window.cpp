// SPDX-License-Identifier: MIT
// The floor of the start-up benchmark: an empty Qt window of Ardivo's size,
// with no text, fonts or pictures.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(659, 501);
    window.show();
    return QApplication::exec();
}
