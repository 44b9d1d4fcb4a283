#pragma once
// Small helpers of the window tests.

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>

// With GARVEL_SCREENSHOTS set, the window is saved there as a picture.
inline void Screenshot(QWidget* w, const char* name) {
  if (const char* dir = std::getenv("GARVEL_SCREENSHOTS")) {
    QApplication::processEvents();
    w->grab().save(QString(dir) + "/" + name + ".png");
  }
}

// Runs `action` on the modal window once the event loop shows it.
inline void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* w = QApplication::activeModalWidget()) action(w);
  });
}

// Types the text into the widget key by key, as a user would.
inline void Type(QWidget* widget, const QString& text) {
  widget->setFocus();
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}
