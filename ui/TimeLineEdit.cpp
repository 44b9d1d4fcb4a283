#include "ui/TimeLineEdit.h"

#include <QFocusEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {

// Hours, then minutes after ":", "." or "," (or straight after two hour
// digits); every beginning of such a text is accepted while typing.
const QRegularExpression& TimePattern() {
  static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})(?:[:.,]?(\\d{1,2}))?\\s*$"));
  return re;
}

}  // namespace

TTimeLineEdit::TTimeLineEdit(QWidget* parent) : QLineEdit(parent) {
  setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^\\s*\\d{0,2}[:.,]?\\d{0,2}\\s*$")),
                                               this));
  setMaxLength(6);
  setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 24);
  setPlaceholderText(QStringLiteral("0:00"));
  connect(this, &QLineEdit::editingFinished, this, [this] {
    const QTime t = ParseTime(text());
    if (t.isValid()) setTime(t);
  });
  setTime(QTime(0, 0));
}

void TTimeLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // After the click has placed the cursor: the whole time is selected, so
  // what is typed replaces it.
  QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void TTimeLineEdit::setTime(const QTime& time) {
  setText(time.isValid() ? time.toString(QStringLiteral("H:mm")) : QString());
}

bool TTimeLineEdit::HasValidTime() const { return ParseTime(text()).isValid(); }

QTime TTimeLineEdit::time() const {
  const QTime t = ParseTime(text());
  return t.isValid() ? t : QTime(0, 0);
}

QTime TTimeLineEdit::ParseTime(const QString& text) {
  if (text.trimmed().isEmpty()) return QTime(0, 0);
  QString t = text.trimmed();
  // "830" and "1645": the last two digits are minutes.
  if (t.size() >= 3 && t.size() <= 4 && !t.contains(QRegularExpression(QStringLiteral("\\D"))))
    t.insert(t.size() - 2, QLatin1Char(':'));
  const QRegularExpressionMatch m = TimePattern().match(t);
  if (!m.hasMatch()) return QTime();
  const int hours = m.captured(1).toInt();
  const int minutes = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
  return QTime(hours, minutes);  // invalid beyond 23:59
}
