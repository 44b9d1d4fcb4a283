#pragma once
// The record editor: adds or changes one service record of kind DONE,
// PLAN, PLAN_NOWARN or ORDER, in the list style (priced activity and
// material lines) or the text style (two texts and two prices). Its rules
// are the core's (servicebook/RecordEditor.h): each handler copies the
// controls into the core, calls it and shows what it holds afterwards.
// The controls carry their names as object names (Dden, cbKind, stavkm, ...).

#include <QDialog>
#include <QTimer>
#include <cstdint>

#include "servicebook/RecordEditor.h"
#include "shell/TimerLink.h"
#include "storage/Vehicle.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class TActivityListView;

class TPridatForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPridatForm(QWidget* parent = nullptr);

  // Every opening starts from scratch with the current settings.
  void OpenNew(const Tautomobil& car, int32_t kind);
  void OpenExisting(const Tautomobil& car, const Tzaznam& record, bool locked);
  TRecordEditor& Editor() { return editor_; }
  TActivityListView* List() { return list_; }

  // The commands, for the buttons, the keys and tests.
  void btnOKClick();
  void btnUnlockClick();
  void sbAddItemClick(uint8_t itemType);
  void sbTrashClick();
  void sbMoveClick(int delta);
  void sbShowOnInvoiceClick(bool show);
  void sbChooseColumnsClick();
  void sbInsertFromTemplateClick();
  void InsertTemplate(const TActionTemplate& chosen);
  void sbDownloadClick();
  void imgCalcDurClick();
  void ActionCopyExecute();
  void ActionPasteExecute();
  void ChooseLineIcon(int index);
  // The time-measurement program's reply after the three ticks.
  void TakeTimerReply(const std::string& reply);

 private:
  void BuildControls();
  QWidget* BuildTopRow();
  QWidget* BuildListPage();
  QWidget* BuildTextPage();
  void ResetList();
  void ReadControls();
  void ShowState();
  void ShowSums();
  void ShowLine(int index, bool edit);
  void ShowKindColour();
  void Changed();
  void CloseLinkTimerTimer();
  // Runs an event between reading and showing the controls; events the
  // window causes itself while showing are ignored, and nothing thrown
  // leaves the slot.
  template <typename Event>
  void Handle(Event event);

  TRecordEditor editor_;
  Tautomobil car_;
  bool showing_ = false;
  TTimerLink link_;
  QTimer closeLinkTimer_;
  int linkTicks_ = 0;

  QLabel* vehicle_;
  QCheckBox* chbLatest_;
  QWidget* dateBoxes_;
  QSpinBox *Dden_, *Dmesic_, *Drok_;
  QComboBox* cbKind_;
  QLineEdit* stavkm_;
  QGroupBox* timeGroup_;
  QLineEdit *edStH_, *edStMin_, *edDurH_, *edDurMin_;
  QPushButton* imgCalcDur_;
  QStackedWidget* pages_;
  QWidget* toolbar_;
  QToolButton *sbAddAction_, *sbAddMaterial_, *sbTrash_, *sbMoveUp_, *sbMoveDown_, *sbShowOnInvoice_,
      *sbHideFromInvoice_, *sbInsertFromTemplate_, *sbDownload_, *sbChooseColumns_;
  TActivityListView* list_;
  QLabel *lblHours_, *lblLabour_, *lblLabourVAT_, *lblLabourTotal_, *lblLabourCost_, *lblLabourMargin_;
  QLabel *lblMaterial_, *lblMaterialVAT_, *lblMaterialTotal_, *lblMaterialCost_, *lblMaterialMargin_;
  QLabel *lblTotal_, *lblCost_, *lblMargin_;
  QList<QWidget*> vatWidgets_;
  QCheckBox *chbLaborVAT_, *chbPaid_;
  QPlainTextEdit *Popis_, *material_;
  QSpinBox *cenap_, *cenam_;
  QPushButton *btnUnlock_, *btnOK_, *btnCancel_;
};

// "Přidat": a new record of the kind (DONE, PLAN or ORDER) made by
// InitRecord. True when the user confirmed; the record's fields are then
// filled from the editor and its ID is -1.
bool AddRecordEntry(QWidget* parent, const Tautomobil& car, Tzaznam& record, int32_t kind);
// Opening a record (locked until "Odemknout pro změnu" when `locked`).
// True when the user confirmed after a change; the record's fields are then
// replaced from the editor.
bool ChangeRecordEntry(QWidget* parent, const Tautomobil& car, Tzaznam& record, bool locked);
