#pragma once
// Initial window sizes that fit the screen the program runs on: a window of
// 1260 × 780 is fine on a large monitor but pushes its bottom buttons under
// the task bar of a 1280 × 800 one once the title bar is added.

class QWidget;

// Resizes the window to width × height, or less where the screen's free
// area (less room for the window frame) is smaller.
void ResizeWithinScreen(QWidget* window, int width, int height);
