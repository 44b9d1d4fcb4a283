#pragma once
// A time of day typed as text ("8:30", "8.30", "830", "16"). Entering the
// field selects it, so typing replaces the whole time; a section-wise time
// box refuses "8" typed before its "0" and silently keeps the old hours.
// Shown as H:mm.

#include <QLineEdit>
#include <QTime>

class TTimeLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TTimeLineEdit(QWidget* parent = nullptr);

  void setTime(const QTime& time);
  // What is typed; an empty field is midnight, a text that is no time too
  // (check HasValidTime first).
  QTime time() const;
  bool HasValidTime() const;

  // The time a text stands for; invalid when it is none.
  static QTime ParseTime(const QString& text);

 protected:
  void focusInEvent(QFocusEvent* event) override;
};
