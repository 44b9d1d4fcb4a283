#pragma once
// The top of the three document windows: whether the record's document was
// issued (with its number and a button that shows it), the number field and
// the button that opens the register.

#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

struct TDocumentNumberTexts {
  const char* notCreated;     // "no document issued yet"
  const char* created;        // "issued under the number"
  const char* showCaption;    // "Zobrazit fakturu", ...
  const char* numberCaption;  // "Číslo dokladu:", "Číslo:"
  // Object names of the controls, as the window calls them.
  const char* notCreatedName = "lbNotCreated";
  const char* createdName = "lbCreated";
  const char* numberLabelName = "lbNumber";
};

class TDocumentNumberBox : public QWidget {
  Q_OBJECT

 public:
  TDocumentNumberBox(const TDocumentNumberTexts& texts, QWidget* parent);

  // The record's issued number (empty: none) and the number to issue.
  void Show(const std::string& existingNumber, const std::string& number);
  std::string Number() const;
  QLineEdit* NumberEdit() const { return edNumber_; }

  std::function<void()> onShow;      // "Zobrazit …"
  std::function<void()> onOverview;  // "Zobrazit přehled"

 private:
  QLabel *lbNotCreated_, *lbCreated_, *lbNumber_;
  QPushButton *sbShow_, *sbOverview_;
  QLineEdit* edNumber_;
};
