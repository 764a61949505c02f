#pragma once

class QWidget;

// Keeps a top-level window out of the desktop's task bar, where the platform
// allows it. Call before the window is first shown.
void hideFromTaskbar(QWidget *window);

// Has Qt send the windows' pixels to the X server through its socket rather
// than shared memory, unless the user has chosen. Call before the application
// is created.
void sendPixelsThroughSocket();
