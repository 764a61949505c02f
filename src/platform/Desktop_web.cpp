// SPDX-License-Identifier: MIT
// Ardivo in a browser, on Qt's WebAssembly platform: one windowing system,
// no second thread, no loop for a dialog to wait in, no session bus, and no
// fonts but those the build ships. The page is told when the program ends,
// so that it can say so.
#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDirIterator>
#include <QEvent>
#include <QFontDatabase>

#include <emscripten.h>

Desktop::Desktop()
{
    m_cannotOpen = QStringLiteral("ardivo: cannot open the window in this page.");
}

std::launch Desktop::backgroundLaunch()
{
    return std::launch::deferred;
}

// A handler cannot wait here: the browser's own loop must have its turn. The
// dialog is shown modal, and what follows it runs when it is closed.
void Desktop::showModal(QDialog *dialog, std::function<void()> dismissed)
{
    QObject::connect(
        dialog, &QDialog::finished, dialog, [dismissed = std::move(dismissed)] { dismissed(); },
        Qt::SingleShotConnection);
    dialog->open();
}

namespace {

// The event loop never returns to main() here: when the program quits, the
// page is told, so that it can say that Ardivo has ended.
class QuitToPage : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Quit)
            EM_ASM({ window.dispatchEvent(new CustomEvent('ardivo-ended')); });
        return false;
    }
};

} // namespace

void Desktop::readyApplication()
{
    // A browser lends Qt none of its fonts: the program brings its own.
    for (QDirIterator font(QStringLiteral(":/ardivo/fonts")); font.hasNext();)
        QFontDatabase::addApplicationFont(font.next());
    qApp->installEventFilter(new QuitToPage(qApp));
}
