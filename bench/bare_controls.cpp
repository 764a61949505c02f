// SPDX-License-Identifier: MIT
// The floor of the web benchmark: a Qt window of Ardivo's size with the same
// kinds of controls (four line edits, three buttons, a ticking clock label,
// a warning box) and the same fonts, but none of Ardivo's pictures, layout or
// arithmetic.
#include <QApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    for (QDirIterator font(QStringLiteral(":/ardivo/fonts")); font.hasNext();)
        QFontDatabase::addApplicationFont(font.next());
    QWidget window;
    window.setFixedSize(659, 501);
    auto *layout = new QGridLayout(&window);
    auto *clock = new QLabel(&window);
    layout->addWidget(clock, 0, 0);
    for (int row = 1; row <= 4; ++row)
        layout->addWidget(new QLineEdit(&window), row, 0);
    auto *calculate = new QPushButton(QStringLiteral("Calcolo"), &window);
    layout->addWidget(calculate, 1, 1);
    layout->addWidget(new QPushButton(QStringLiteral("Cancella Dati"), &window), 2, 1);
    layout->addWidget(new QPushButton(QStringLiteral("Chiudi"), &window), 3, 1);
    QObject::connect(calculate, &QPushButton::clicked, &window, [&window] {
        auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Attenzione"), QStringLiteral("?"),
                                    QMessageBox::Ok, &window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, clock,
                     [clock] { clock->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); });
    ticks.start(1000);
    window.show();
    return QApplication::exec();
}
