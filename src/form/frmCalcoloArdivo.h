// SPDX-License-Identifier: MIT
#pragma once

#include "calc/Calculation.h"
#include "form/SchemeColours.h"

#include <QDate>
#include <QDateTime>
#include <QIcon>
#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <future>

class ClockTimer;
class CommandButton;
class QLabel;
class QLineEdit;
class QStyle;

// The program's one window: four inputs, the resonance, the date and a clock.
class frmCalcoloArdivo : public QWidget
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit frmCalcoloArdivo(Clock clock = &QDateTime::currentDateTime);
    ~frmCalcoloArdivo() override;

    // Raises Load, then shows the window centred and active, with the focus in
    // the arm-mass box.
    void start();

    FormIntegers formIntegers() const;

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void arrangeControls();
    // The window's pictures, decoded on the second core while the controls
    // are made: the photograph, the notes, and the faces of the three buttons.
    struct Pictures
    {
        QImage photograph;
        QList<QImage> notes;
        std::array<QList<QImage>, 3> buttons;
    };
    static std::future<Pictures> decodePictures(qreal ratio);
    void applyAppearance();
    void applySchemeColours();
    void wireEvents();
    void setCaption(QLabel *label, const QString &caption);

    // Event handlers.
    void Form_Load();
    void cmdCalcolo_Click();
    void cdmAzzeraCampi_Click();
    void cdmChiudi_Click();
    void tmTempo_Timer();

    Clock m_clock;
    QDate m_dateShown;
    QIcon m_notes;
    SchemeColours m_colours;
    QStyle *m_plainStyle = nullptr;
    std::future<Pictures> m_pictures;

    ClockTimer *tmTempo = nullptr;
    CommandButton *cdmAzzeraCampi = nullptr;
    QLabel *Picture1 = nullptr;
    CommandButton *cdmChiudi = nullptr;
    QLineEdit *txtRisultatoFinale = nullptr;
    QLineEdit *txtRadiceQuadrara = nullptr;
    QLineEdit *txtMassaBraccio = nullptr;
    QLineEdit *txtRisultato = nullptr;
    CommandButton *cmdCalcolo = nullptr;
    QLineEdit *txtCedevolezza = nullptr;
    QLineEdit *txtPesoViti = nullptr;
    QLineEdit *txtPesoTestina = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblData = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblRisultatoFinale = nullptr;
    QLabel *lblCedevolezza = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *c = nullptr;
    QLabel *lblPesoTestina = nullptr;

    // intPesoTestina, intMassaBraccio, intPesoViti, intCedevolezza.
    FormIntegers m_integers;
};
