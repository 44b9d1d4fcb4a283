#pragma once
// The notifier of the desktop program: a real QMessageBox, with the Czech
// button captions, on the user-interface thread.

#include <QObject>

#include "storage/Notifier.h"

class QWidget;

class TQtNotifier : public INotifier {
 public:
  explicit TQtNotifier(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  TMsgAnswer Show(const TMessageBox& message) override;

 private:
  QWidget* parent_;
};
