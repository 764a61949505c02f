// SPDX-License-Identifier: MIT
#include "FormTest.h"
#include "form/SchemeColours.h"
#include "runtime/DateTime.h"

#include <QFontInfo>
#include <QScopeGuard>
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
    void legibleUnderEveryScheme_data();
    void legibleUnderEveryScheme();
    void figureReadFromItsFirstDigit_data();
    void figureReadFromItsFirstDigit();
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

namespace {

// A scheme as a platform theme hands it to Qt: these roles, the rest derived.
QPalette scheme(const char *window, const char *windowText, const char *base, const char *text,
                const char *button, const char *buttonText, const char *highlight,
                const char *highlightedText)
{
    QPalette palette{QColor(button), QColor(window)};
    palette.setColor(QPalette::WindowText, QColor(windowText));
    palette.setColor(QPalette::Base, QColor(base));
    palette.setColor(QPalette::Text, QColor(text));
    palette.setColor(QPalette::ButtonText, QColor(buttonText));
    palette.setColor(QPalette::Highlight, QColor(highlight));
    palette.setColor(QPalette::HighlightedText, QColor(highlightedText));
    return palette;
}

// Qt's Windows theme takes the window from the buttons' face and the boxes
// from the window colour, and where the two differ, an inactive window's
// selection from its background and text.
QPalette windowsScheme(const char *buttonFace, const char *windowText, const char *window,
                       const char *highlight, const char *highlightText)
{
    QPalette palette =
        scheme(buttonFace, windowText, window, windowText, buttonFace, windowText, highlight, highlightText);
    if (palette.window() != palette.base()) {
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Inactive, QPalette::Window));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Inactive, QPalette::Text));
    }
    return palette;
}

} // namespace

void tst_Appearance::legibleUnderEveryScheme_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("prompts");

    const QColor white(Qt::white), black(Qt::black), blue(0, 0, 255);
    // The palettes that Qt 6.4 makes of each: with no theme and under GNOME
    // (its gtk3 theme gives Qt's own light or dark palette), from KDE's
    // kdeglobals, from Windows' system colours.
    QTest::newRow("Qt's own, GNOME light")
        << scheme("#efefef", "#000000", "#ffffff", "#000000", "#efefef", "#000000", "#308cc6", "#ffffff")
        << white << blue;
    QTest::newRow("GNOME dark") << scheme("#323232", "#f0f0f0", "#242424", "#f0f0f0", "#323232", "#f0f0f0",
                                          "#308cc6", "#f0f0f0")
                                << white << blue;
    QTest::newRow("KDE Breeze") << scheme("#eff0f1", "#232629", "#ffffff", "#232629", "#fcfcfc", "#232629",
                                          "#3daee9", "#ffffff")
                                << white << blue;
    QTest::newRow("KDE Breeze Dark") << scheme("#2a2e32", "#fcfcfc", "#1b1e20", "#fcfcfc", "#31363b",
                                               "#fcfcfc", "#3daee9", "#fcfcfc")
                                     << white << blue;
    QTest::newRow("Windows") << windowsScheme("#f0f0f0", "#000000", "#ffffff", "#0078d7", "#ffffff") << white
                             << blue;
    // A high-contrast scheme wins over the window's own blues.
    QTest::newRow("Windows High Contrast Black")
        << windowsScheme("#000000", "#ffffff", "#000000", "#1aebff", "#000000") << black << white;
    QTest::newRow("Windows High Contrast White")
        << windowsScheme("#ffffff", "#000000", "#ffffff", "#37006e", "#ffffff") << white << black;
    // The form follows a highlighted-text colour that is not white, and the
    // blue that would not stand out on it gives way.
    QTest::newRow("light, with dark highlighted text")
        << scheme("#efefef", "#000000", "#ffffff", "#000000", "#efefef", "#000000", "#ffd700", "#000000")
        << black << white;
}

void tst_Appearance::legibleUnderEveryScheme()
{
    QFETCH(QPalette, palette);
    QFETCH(QColor, background);
    QFETCH(QColor, prompts);

    const auto restore =
        qScopeGuard([original = QApplication::palette()] { QApplication::setPalette(original); });
    QApplication::setPalette(palette);
    // Qt posts the change to the window.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(t->form.palette().color(QPalette::Window), background);
    QCOMPARE(t->control("c")->palette().color(QPalette::WindowText), prompts);

    struct Text
    {
        QString name;
        QColor colour, background;
    };
    QList<Text> texts;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QString state =
            group == QPalette::Active ? QStringLiteral("active") : QStringLiteral("inactive");
        // The labels let the form's background show through.
        for (const char *label : {"lblData", "lblTime", "c", "lblPesoTestina", "Label1", "lblCedevolezza",
                                  "Label2", "lblRisultatoFinale"}) {
            QCOMPARE(t->control(label)->autoFillBackground(), false);
            texts.append({state + ' ' + label,
                          t->control(label)->palette().color(group, QPalette::WindowText),
                          t->form.palette().color(group, QPalette::Window)});
        }
        for (const char *box :
             {"txtMassaBraccio", "txtPesoTestina", "txtPesoViti", "txtCedevolezza", "txtRisultatoFinale"}) {
            const QPalette colours = t->control(box)->palette();
            texts.append({state + ' ' + box, colours.color(group, QPalette::Text),
                          colours.color(group, QPalette::Base)});
        }
        for (const char *button : {"cmdCalcolo", "cdmAzzeraCampi", "cdmChiudi"}) {
            const QPalette colours = t->control(button)->palette();
            texts.append({state + ' ' + button, colours.color(group, QPalette::ButtonText),
                          colours.color(group, QPalette::Button)});
        }
    }
    const auto seen = answerNextMessageBox(0, [&texts] {
        const QWidget *box = QApplication::activeModalWidget();
        texts.append({QStringLiteral("the warning"),
                      box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))
                          ->palette()
                          .color(QPalette::WindowText),
                      box->palette().color(QPalette::Window)});
    });
    t->click("cmdCalcolo");
    QVERIFY(seen->waitForAnswer());
    QCOMPARE(texts.constLast().name, QStringLiteral("the warning"));

    for (const Text &text : std::as_const(texts))
        QVERIFY2(SchemeColours::contrast(text.colour, text.background) >= 4.5,
                 qPrintable(QStringLiteral("%1: %2 on %3, %4:1")
                                .arg(text.name, text.colour.name(), text.background.name())
                                .arg(SchemeColours::contrast(text.colour, text.background), 0, 'f', 2)));
}

void tst_Appearance::figureReadFromItsFirstDigit_data()
{
    QTest::addColumn<QStringList>("inputs"); // cartridge weight, arm mass, screws weight, compliance
    QTest::addColumn<QString>("start");
    // 159/sqrt(32767): the most digits the calculation writes.
    QTest::newRow("smallest resonance") << QStringList{"50", "100", "1", "217"} << "0,87837";
    QTest::newRow("three digits before the point") << QStringList{"1", "1", "0", "1"} << "112,4299";
    QTest::newRow("worked example") << QStringList{"6", "10", "1", "20"} << "8,6229";
}

void tst_Appearance::figureReadFromItsFirstDigit()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, start);

    t->enterInputs(inputs[0], inputs[1], inputs[2], inputs[3]);
    t->click("cmdCalcolo");
    QLineEdit *box = t->box("txtRisultatoFinale");
    QVERIFY2(box->text().startsWith(start), qPrintable(box->text()));
    // Where the box draws the figure: the caret's place (the middle of the
    // rectangle it reports), less the width of what stands before the caret,
    // in the box's own font.
    // The box scrolls its text as it paints it.
    box->grab();
    const QFontMetricsF metrics(box->font());
    const qreal caret = box->inputMethodQuery(Qt::ImCursorRectangle).toRectF().center().x();
    const qreal left = caret - metrics.horizontalAdvance(box->text().left(box->cursorPosition()));
    const qreal right = left + metrics.horizontalAdvance(start);
    QVERIFY2(left >= 0 && right <= box->width(),
             qPrintable(QStringLiteral("'%1' from %2 to %3 in a box %4 wide")
                            .arg(start)
                            .arg(left)
                            .arg(right)
                            .arg(box->width())));
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
