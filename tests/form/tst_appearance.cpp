// SPDX-License-Identifier: MIT
#include "FormTest.h"
#include "runtime/DateTime.h"

#include <QFontInfo>
#include <QTextDocument>

class tst_Appearance : public FormTestCase
{
    Q_OBJECT

private slots:
    void fonts_data();
    void fonts();
    void wrappedCaptionsFit_data();
    void wrappedCaptionsFit();
    void clockLooksAsIfShaped_data();
    void clockLooksAsIfShaped();
    void colours();
    void schemeColourIsFollowed();
    void pictures();
    void buttonFaces_data();
    void buttonFaces();
};

void tst_Appearance::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    const QStringList serif = {"TeX Gyre Pagella", "P052", "Palatino Linotype"};
    const QStringList plain = {"DejaVu Sans", "Liberation Sans"};
    for (const char *label :
         {"lblData", "lblTime", "c", "lblPesoTestina", "Label1", "lblCedevolezza", "Label2"})
        QTest::newRow(label) << label << serif << 12.0 << true << true;
    QTest::newRow("lblRisultatoFinale") << "lblRisultatoFinale" << serif << 13.5 << true << true;
    for (const char *box : {"txtMassaBraccio", "txtPesoTestina", "txtPesoViti", "txtCedevolezza"})
        QTest::newRow(box) << box << plain << 13.5 << true << false;
    QTest::newRow("txtRisultatoFinale") << "txtRisultatoFinale" << plain << 17.25 << false << false;
}

void tst_Appearance::fonts()
{
    QFETCH(QString, name);
    QFETCH(QStringList, families);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);

    // What the font resolves to on this machine: an installed family of the
    // requested style, not a fallback of another kind.
    const QFontInfo info(t->form.findChild<QWidget *>(name)->font());
    QVERIFY2(families.contains(info.family()), qPrintable(info.family()));
    QCOMPARE(info.pointSizeF(), points);
    QCOMPARE(info.bold(), bold);
    QCOMPARE(info.italic(), italic);
}

void tst_Appearance::wrappedCaptionsFit_data()
{
    QTest::addColumn<QString>("name");
    for (const char *label : {"c", "lblPesoTestina", "Label1", "lblCedevolezza", "Label2",
                              "lblRisultatoFinale", "lblData", "lblTime"})
        QTest::newRow(label) << label;
}

void tst_Appearance::wrappedCaptionsFit()
{
    QFETCH(QString, name);
    auto *label = t->form.findChild<QLabel *>(name);
    // Laid out at the label's width, the caption needs no more than its height,
    // and no word is wider than the label.
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setDocumentMargin(0);
    document.setPlainText(label->text());
    document.setTextWidth(label->wordWrap() ? label->width() : -1);
    QVERIFY2(document.size().height() <= label->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(document.size().height()).arg(label->height())));
    QVERIFY2(document.idealWidth() <= label->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(document.idealWidth()).arg(label->width())));
}

void tst_Appearance::clockLooksAsIfShaped_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *locale : {"it_IT", "en_US", "de_DE", "fi_FI", "pt_BR", "ar_EG"})
        QTest::newRow(locale) << locale;
}

void tst_Appearance::clockLooksAsIfShaped()
{
    QFETCH(QString, locale);
    // The clock's text is laid out without shaping, to save work every
    // second; it must look just as the shaped text would, pixel for pixel.
    const QLabel *clock = t->control<QLabel>("lblTime");
    QFont shapedFont = clock->font();
    shapedFont.setStyleStrategy(QFont::PreferDefault);
    QLabel unshaped, shaped;
    unshaped.setFont(clock->font());
    shaped.setFont(shapedFont);
    // Every digit, beside the separators and the day's halves.
    for (QTime time :
         {QTime(0, 1, 23), QTime(4, 56, 7), QTime(8, 9, 10), QTime(12, 34, 56), QTime(23, 58, 59)}) {
        const QString text = runtime::timeText(time, QLocale(locale));
        unshaped.setText(text);
        shaped.setText(text);
        QCOMPARE(unshaped.sizeHint(), shaped.sizeHint());
        unshaped.resize(unshaped.sizeHint());
        shaped.resize(shaped.sizeHint());
        QVERIFY2(unshaped.grab().toImage() == shaped.grab().toImage(), qPrintable(text));
    }
}

void tst_Appearance::colours()
{
    const QColor blue(0, 0, 255), darkBlue(0, 0, 192);
    for (const char *name :
         {"lblData", "lblTime", "c", "Label1", "lblCedevolezza", "Label2", "lblRisultatoFinale"})
        QCOMPARE(t->control(name)->palette().color(QPalette::WindowText), blue);
    QCOMPARE(t->control("lblPesoTestina")->palette().color(QPalette::WindowText), darkBlue);
    for (const char *name : {"txtMassaBraccio", "txtPesoTestina", "txtPesoViti", "txtCedevolezza"})
        QCOMPARE(t->control(name)->palette().color(QPalette::Text), blue);
    QCOMPARE(t->control("txtRisultatoFinale")->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Text));
}

void tst_Appearance::schemeColourIsFollowed()
{
    const QPalette original = QApplication::palette();
    const QColor standard = original.color(QPalette::HighlightedText);
    QCOMPARE(t->form.palette().color(QPalette::Window), standard);

    QPalette scheme = original;
    scheme.setColor(QPalette::HighlightedText, QColor(255, 240, 200));
    QApplication::setPalette(scheme);
    QTRY_COMPARE(t->form.palette().color(QPalette::Window), QColor(255, 240, 200));
    for (const char *button : {"cmdCalcolo", "cdmAzzeraCampi", "cdmChiudi"})
        QCOMPARE(t->control(button)->palette().color(QPalette::Button), QColor(255, 240, 200));

    QApplication::setPalette(original);
    QTRY_COMPARE(t->form.palette().color(QPalette::Window), standard);
}

void tst_Appearance::pictures()
{
    QVERIFY(!t->form.windowIcon().isNull());
    QCOMPARE(t->form.windowIcon().availableSizes(),
             (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    for (const char *button : {"cmdCalcolo", "cdmAzzeraCampi", "cdmChiudi"})
        QVERIFY(!t->control<QAbstractButton>(button)->icon().isNull());
    // The photograph fills its box in the screen's own pixels: neither a
    // low-resolution copy blown up nor a high-resolution one left for the
    // painter to scale.
    const QPixmap photo = t->control<QLabel>("Picture1")->pixmap();
    const qreal ratio = t->form.devicePixelRatioF();
    // The scaled runs name the ratio their screen has: a scaling that did not
    // take would pass them at 1.
    if (const QByteArray scaled = qgetenv("ARDIVO_TEST_RATIO"); !scaled.isEmpty())
        QCOMPARE(ratio, scaled.toDouble());
    QCOMPARE(photo.devicePixelRatio(), ratio);
    QCOMPARE(photo.size(), (QSizeF(301, 167) * ratio).toSize());
    QCOMPARE(photo.deviceIndependentSize().toSize(), QSize(301, 167));
    QCOMPARE(photo.toImage().pixelColor(0, 0), QColor(Qt::white));
}

void tst_Appearance::buttonFaces_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("picture");
    QTest::newRow("cmdCalcolo") << "cmdCalcolo"
                                << "calcola";
    QTest::newRow("cdmAzzeraCampi") << "cdmAzzeraCampi"
                                    << "cestino";
    QTest::newRow("cdmChiudi") << "cdmChiudi"
                               << "stop";
}

void tst_Appearance::buttonFaces()
{
    QFETCH(QString, button);
    QFETCH(QString, picture);
    const QIcon face = t->control<QAbstractButton>(button.toLatin1())->icon();
    for (int size : {32, 64, 128}) {
        const QImage expected = QImage(QStringLiteral(":/pictures/%1-%2.png").arg(picture).arg(size))
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(face.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(expected.format()), expected);
    }
}

QTEST_MAIN(tst_Appearance)
#include "tst_appearance.moc"
