// SPDX-License-Identifier: MIT
#include "form/frmCalcoloArdivo.h"

#include "clock/ClockTimer.h"
#include "form/CaretBlinkTimeout.h"
#include "form/CommandButton.h"
#include "form/Twips.h"
#include "platform/Desktop.h"
#include "runtime/Program.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <limits>

namespace {

QLineEdit *textBox(const char *name, QWidget *form)
{
    auto *box = new QLineEdit(form);
    box->setObjectName(QLatin1String(name));
    // An ordinary box: no limit on the length of its text.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QLabel *label(const char *name, const QString &caption, QWidget *form)
{
    auto *label = new QLabel(caption, form);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

CommandButton *button(const char *name, const QString &caption, QWidget *form)
{
    auto *button = new CommandButton(caption, form);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

frmCalcoloArdivo::frmCalcoloArdivo(Clock clock)
    : m_clock(std::move(clock))
{
    setObjectName(QStringLiteral("frmCalcoloArdivo"));
    setWindowTitle(QStringLiteral("Ardivo Testina Braccio"));
    // A fixed dialog frame: title bar, system menu and close box, nothing else.
    // The frame of a dialog, but not its type: GNOME lists a dialog that has
    // no parent window in its task list, whatever the dialog asks.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    m_pictures = decodePictures(devicePixelRatioF());
    createControls();
    arrangeControls();
    applyAppearance();
    wireEvents();
    new CaretBlinkTimeout(10'000, this);
}

frmCalcoloArdivo::~frmCalcoloArdivo() = default;

void frmCalcoloArdivo::createControls()
{
    tmTempo = new ClockTimer(this);
    tmTempo->setObjectName(QStringLiteral("tmTempo"));
    cdmAzzeraCampi = button("cdmAzzeraCampi", QStringLiteral("Cancella Dati"), this);
    Picture1 = label("Picture1", QString(), this);
    cdmChiudi = button("cdmChiudi", QStringLiteral("Chiudi"), this);
    txtRisultatoFinale = textBox("txtRisultatoFinale", this);
    txtRadiceQuadrara = textBox("txtRadiceQuadrara", this);
    txtMassaBraccio = textBox("txtMassaBraccio", this);
    txtRisultato = textBox("txtRisultato", this);
    cmdCalcolo = button("cmdCalcolo", QStringLiteral("Calcola"), this);
    txtCedevolezza = textBox("txtCedevolezza", this);
    txtPesoViti = textBox("txtPesoViti", this);
    txtPesoTestina = textBox("txtPesoTestina", this);
    lblTime = label("lblTime", QString(), this);
    Label3 = label("Label3", QStringLiteral("Inserire Massa del braccio"), this);
    lblData = label("lblData", QString(), this);
    Label2 = label("Label2", QStringLiteral("Developed by Vantrello"), this);
    lblRisultatoFinale = label("lblRisultatoFinale",
                               QStringLiteral("Per essere compatibili braccio e testina devono avere una "
                                              "risonanaza che ricade perfettamente nell'intervallo tra 8 e "
                                              "11 Hertz"),
                               this);
    lblCedevolezza = label("lblCedevolezza", QStringLiteral("Inserire la cedevolezza della testina"), this);
    Label1 = label("Label1", QStringLiteral("Inserire il peso delle viti"), this);
    c = label("c", QStringLiteral("Inserire Massa del braccio"), this);
    lblPesoTestina = label("lblPesoTestina", QStringLiteral("Inserire il peso della testina"), this);

    // Each prompt names its box for a screen reader; the resonance box has no
    // prompt of its own, so it is named by what it shows.
    c->setBuddy(txtMassaBraccio);
    lblPesoTestina->setBuddy(txtPesoTestina);
    Label1->setBuddy(txtPesoViti);
    lblCedevolezza->setBuddy(txtCedevolezza);
#if QT_CONFIG(accessibility) // a Qt built without it has no screen reader to tell
    txtRisultatoFinale->setAccessibleName(QStringLiteral("Frequenza di risonanza in Hertz"));
    Picture1->setAccessibleName(QStringLiteral("Braccio del giradischi"));
#endif

    // The two stores of the calculation's intermediate values are never seen.
    txtRisultato->setHidden(true);
    txtRadiceQuadrara->setHidden(true);

    // The date and the clock grow to the right to fit their text.
    for (QLabel *autoSized : {lblData, lblTime})
        autoSized->setWordWrap(false);

    // Tab order; labels, the picture and the hidden boxes never take the focus.
    QWidget *const order[] = {txtMassaBraccio, txtPesoTestina, txtPesoViti,       txtCedevolezza,
                              cmdCalcolo,      txtRisultato,   txtRadiceQuadrara, txtRisultatoFinale,
                              cdmChiudi,       cdmAzzeraCampi};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void frmCalcoloArdivo::arrangeControls()
{
#define WINDOW_SIZE(width, height) setFixedSize(Twips::toPixels(width), Twips::toPixels(height));
#define PLACE(control, left, top, width, height)                                                             \
    control->setGeometry(Twips::toPixels(left, top, width, height));
#include "form/Placements.def"
#undef PLACE
#undef WINDOW_SIZE

    // The date and the clock never shrink below the size they start at.
    for (QLabel *autoSized : {lblData, lblTime})
        autoSized->setMinimumSize(autoSized->size());
}

void frmCalcoloArdivo::wireEvents()
{
    using Handler = void (frmCalcoloArdivo::*)();
    const auto deliver = [this](Handler handler) {
        return [this, handler] { runtime::deliver([&] { (this->*handler)(); }); };
    };

    connect(cmdCalcolo, &QAbstractButton::clicked, this, deliver(&frmCalcoloArdivo::cmdCalcolo_Click));
    connect(cdmAzzeraCampi, &QAbstractButton::clicked, this,
            deliver(&frmCalcoloArdivo::cdmAzzeraCampi_Click));
    connect(cdmChiudi, &QAbstractButton::clicked, this, deliver(&frmCalcoloArdivo::cdmChiudi_Click));
    connect(tmTempo, &ClockTimer::timeout, this, deliver(&frmCalcoloArdivo::tmTempo_Timer));
}

void frmCalcoloArdivo::start()
{
    runtime::deliver([this] { Form_Load(); });

    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
    Desktop::keepOutOfTaskbar(this);
    txtMassaBraccio->setFocus();
    show();
    activateWindow();
    tmTempo->start();
}

bool frmCalcoloArdivo::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    // The user's colour scheme changed: Qt posts this to every window.
    if (event->type() == QEvent::ApplicationPaletteChange)
        applySchemeColours();
    return handled;
}

void frmCalcoloArdivo::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowStateChange:
        // The window has no task-bar button to bring it back from, so it is
        // never minimised, even by a window manager that offers to.
        if (isMinimized())
            QTimer::singleShot(0, this, &QWidget::showNormal);
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

FormIntegers frmCalcoloArdivo::formIntegers() const
{
    return m_integers;
}

void frmCalcoloArdivo::setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    label->resize(label->sizeHint().expandedTo(label->minimumSize()));
}

void frmCalcoloArdivo::cdmChiudi_Click()
{
    runtime::end();
}
