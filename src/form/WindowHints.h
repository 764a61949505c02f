#pragma once

class QWidget;

// Keeps a top-level window out of the desktop's task bar, where the platform
// allows it. Call before the window is first shown.
void hideFromTaskbar(QWidget *window);
