// SPDX-License-Identifier: MIT
#include "form/frmCalcoloArdivo.h"

#include "form/CommandButton.h"
#include "form/SchemeColours.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>

namespace {

// Palatino Linotype where it is installed, else the look-alikes that Linux
// desktops ship.
QFont palatino(qreal points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Palatino Linotype"), QStringLiteral("TeX Gyre Pagella"),
                      QStringLiteral("P052"), QStringLiteral("Palatino")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFont sans(qreal points, bool bold)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Sans Serif"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setRole(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QList<QImage> renditions(const QString &name, std::initializer_list<int> sizes)
{
    QList<QImage> images;
    for (int size : sizes)
        images.append(QImage(QStringLiteral(":/pictures/%1-%2.png").arg(name).arg(size)));
    return images;
}

QIcon icon(const QList<QImage> &renditions)
{
    QIcon icon;
    for (const QImage &image : renditions)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

// Only the rendition of the photograph that this screen shows is decoded; a
// screen between the two gets the sharper one scaled down.
QImage photograph(qreal ratio)
{
    const bool sharp = ratio > 1.0;
    QImage photo(sharp ? QStringLiteral(":/pictures/tonearm@2x.jpg")
                       : QStringLiteral(":/pictures/tonearm.jpg"));
    const QSize size = ((sharp ? QSizeF(photo.size()) / 2 : QSizeF(photo.size())) * ratio).toSize();
    if (photo.size() != size)
        photo = photo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    photo.setDevicePixelRatio(ratio);
    return photo;
}

} // namespace

// Outside any namespace, as the macro requires: the pictures live in this
// static library, whose resource initialiser the linker would otherwise drop.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

std::future<frmCalcoloArdivo::Pictures> frmCalcoloArdivo::decodePictures(qreal ratio)
{
    initResources();
    return std::async(Desktop::backgroundLaunch(), [ratio] {
        // Every size of the icons: the window manager is given them all, and
        // a move to a denser screen needs the larger ones.
        return Pictures{photograph(ratio),
                        renditions(QStringLiteral("notes"), {16, 32, 48, 64, 128}),
                        {renditions(QStringLiteral("calcola"), {32, 64, 128}),
                         renditions(QStringLiteral("cestino"), {32, 64, 128}),
                         renditions(QStringLiteral("stop"), {32, 64, 128})}};
    });
}

void frmCalcoloArdivo::applyAppearance()
{
    const Pictures pictures = m_pictures.get();
    m_notes = icon(pictures.notes);
    setWindowIcon(m_notes);
    setAutoFillBackground(true);

    for (QLabel *label : {lblData, lblTime, c, lblPesoTestina, Label1, lblCedevolezza, Label2, Label3})
        label->setFont(palatino(12));
    lblRisultatoFinale->setFont(palatino(13.5));
    // The clock is laid out afresh every second, twice (to size it and to
    // paint it). Its digits and separators look the same unshaped, and
    // skipping the shaping saves about a quarter of the work of each tick.
    QFont clockFont = lblTime->font();
    clockFont.setStyleStrategy(QFont::PreferNoShaping);
    lblTime->setFont(clockFont);

    for (QLineEdit *box :
         {txtMassaBraccio, txtPesoTestina, txtPesoViti, txtCedevolezza, txtRisultato, txtRadiceQuadrara}) {
        box->setFont(sans(13.5, true));
    }
    txtRisultatoFinale->setFont(sans(17.25, false));

    CommandButton *const buttons[] = {cmdCalcolo, cdmAzzeraCampi, cdmChiudi};
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        buttons[i]->setIcon(icon(pictures.buttons[i]));
        buttons[i]->setIconSize(QSize(32, 32));
    }

    Picture1->setPixmap(QPixmap::fromImage(pictures.photograph));

    applySchemeColours();
}

void frmCalcoloArdivo::applySchemeColours()
{
    SchemeColours colours = SchemeColours::choose(QApplication::palette());
    if (colours == m_colours)
        return;
    m_colours = std::move(colours);
    setPalette(m_colours.form);
    for (QLabel *label : {lblData, lblTime, c, Label1, lblCedevolezza, Label2, lblRisultatoFinale, Label3})
        setRole(label, QPalette::WindowText, m_colours.prompt);
    setRole(lblPesoTestina, QPalette::WindowText, m_colours.cartridgePrompt);
    for (QLineEdit *box :
         {txtMassaBraccio, txtPesoTestina, txtPesoViti, txtCedevolezza, txtRisultato, txtRadiceQuadrara})
        setRole(box, QPalette::Text, m_colours.typed);
    for (CommandButton *button : {cmdCalcolo, cdmAzzeraCampi, cdmChiudi}) {
        setRole(button, QPalette::Button, m_colours.buttonFace);
        setRole(button, QPalette::ButtonText, m_colours.buttonText);
    }

    // Windows' own style draws buttons and boxes as its theme has them,
    // whatever their colours; Qt's plain Windows style paints them in the
    // colours given, as Windows paints its high-contrast schemes.
    if (m_colours.highContrast && !m_plainStyle) {
        m_plainStyle = QStyleFactory::create(QStringLiteral("windows"));
        if (m_plainStyle)
            m_plainStyle->setParent(this);
    }
    QStyle *const controls = m_colours.highContrast ? m_plainStyle : nullptr;
    for (QWidget *control :
         std::initializer_list<QWidget *>{txtMassaBraccio, txtPesoTestina, txtPesoViti, txtCedevolezza,
                                          txtRisultatoFinale, cmdCalcolo, cdmAzzeraCampi, cdmChiudi})
        if (controls || control->testAttribute(Qt::WA_SetStyle))
            control->setStyle(controls);
}

void frmCalcoloArdivo::paintEvent(QPaintEvent *event)
{
    // The form's picture: the notes at their natural size in the top-left
    // corner. Most repaints (the clock's, every second) lie elsewhere.
    const QRect corner(0, 0, 32, 32);
    if (!event->region().intersects(corner))
        return;
    QPainter painter(this);
    m_notes.paint(&painter, corner);
}
