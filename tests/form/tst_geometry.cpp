// SPDX-License-Identifier: MIT
#include "FormTest.h"

#include <QFile>
#include <QRegularExpression>

// The window's geometry as the build writes it for the tests that click on
// the window (ARDIVO_GEOMETRY) agrees with the window itself: each control
// where the file puts it, the window of the size it gives, and every
// control of the window in the file.
class tst_Geometry : public FormTestCase
{
    Q_OBJECT

private slots:
    void fileAgreesWithTheWindow();
};

void tst_Geometry::fileAgreesWithTheWindow()
{
    QFile file(qEnvironmentVariable("ARDIVO_GEOMETRY"));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
    const QStringList autoSized{QStringLiteral("lblData"), QStringLiteral("lblTime")};
    QStringList named;
    while (!file.atEnd()) {
        const QStringList fields = QString::fromUtf8(file.readLine())
                                       .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        QCOMPARE(fields.size(), 5);
        const QRect place(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt());
        if (fields[0] == t->form.objectName()) {
            QCOMPARE(t->form.size(), place.size());
            continue;
        }
        const QWidget *control = t->control(qPrintable(fields[0]));
        QVERIFY(control);
        QCOMPARE(control->pos(), place.topLeft());
        // The date and the clock take the size of their text.
        if (!autoSized.contains(fields[0]))
            QCOMPARE(control->size(), place.size());
        named << fields[0];
    }
    QVERIFY(named.contains(QStringLiteral("txtMassaBraccio")));
    for (const QWidget *control : t->form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!control->objectName().isEmpty())
            QVERIFY2(named.contains(control->objectName()), qPrintable(control->objectName()));
    }
}

QTEST_MAIN(tst_Geometry)
#include "tst_geometry.moc"
