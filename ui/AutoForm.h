#pragma once
// "Záznamy automobilu": the service book of one vehicle. It holds a copy of
// the vehicle and all its records, keeps every change in memory and writes
// the whole set back when the user saves (at once with instant save). The
// list's rules are the core's (servicebook/RecordList.h); the other windows
// it opens come through TRecordWindowServices.

#include <QImage>
#include <QWidget>
#include <functional>

#include "servicebook/RecordList.h"
#include "storage/Vehicle.h"
#include "ui/AutoFormServices.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TBackgroundTableView;
class TCustomCarDb;
class TCustomRecDb;
class TRecordListModel;

class TAutoForm : public QWidget {
  Q_OBJECT

 public:
  TAutoForm(TCustomCarDb& cars, TCustomRecDb& records, TRecordWindowServices services, QWidget* parent = nullptr);
  ~TAutoForm() override;

  // Reads the vehicle and its records and fills the window without showing
  // it. False when the vehicle cannot be read (the user has been told).
  bool Open(int32_t vehicleID);
  int32_t VehicleID() const { return vehicleID_; }
  // The caption of the window's button in the main window.
  QString ButtonCaption() const;
  void SetBackground(const QImage& picture);

  // The commands.
  void NovyZaznamClick(int32_t kind);
  void ZobrazZaznamClick();
  void BtnOdstranitClick();
  void sbEnableEditClick();
  void btnEditCommentClick();
  void sbOrderClick();
  void sbShowAttachClick();
  void sbChangeOwnerClick();
  void sbChangeOwnerInfoClick();
  void UmailClick();
  void btnPrintClick(bool selectedOnly);
  void btnTextClick();
  void tbSendClick();
  void BtnUlozitClick();
  // "Vytvořit" and "Upravit" of a document (0 job sheet, 1 receipt, 2
  // invoice, 3 simplified tax document), and "Zobrazit".
  void sbEditDocumentClick(int document);
  void sbShowDocumentClick(int document);
  void BtnStornoClick();

  // Saves the vehicle with all its records; false (the flag kept, the user
  // told) when anything could not be stored.
  bool SaveVehicle();
  // After a change of the records or the owner: saves at once with instant
  // save, else marks the window modified.
  void DataChanged();
  // Changes a record of the window as a command would (for windows that
  // change records of an open vehicle). False when the window has no record
  // with that ID or the record was not read cleanly.
  bool ChangeRecord(int32_t recordID, const std::function<void(Tzaznam&)>& change);

  bool Modified() const { return modified_; }
  // Changes not yet stored, flagged or not (vehicle data, simple-mode text).
  bool HasUnsavedChanges() const;
  const AZaznamy& Records() const { return records_; }
  const Tautomobil& Vehicle() const { return vehicle_; }
  TRecordWindowView View() const;

  // For tests and the program.
  TBackgroundTableView* List() { return list_; }
  const TRecordListModel& Rows() const { return *model_; }
  QLineEdit* SearchBox() { return search_; }
  QPlainTextEdit* DescriptionPane() { return memoPopis_; }
  QPlainTextEdit* SimpleText() { return mVehicleRecords_; }
  QLabel* KmPerYearLabel() { return kmPerYear_; }
  QLabel* WarningLabel() { return inaccurate_; }
  QLabel* DocumentLabel(int i) { return documents_[i]; }
  QLabel* DocumentCaption(int i) { return documentCaptions_[i]; }
  // "Vytvořit" (0), "Upravit" (1) and "Zobrazit" (2) of document i.
  QToolButton* DocumentButton(int i, int which) { return documentButtons_[i][which]; }
  QLabel* UnpaidLabel() { return unpaid_; }
  QLabel* OwnerNameLabel() { return ownerName_; }
  QToolButton* AddButton() { return tbAdd_; }
  QMenu* AddMenu() { return pmAdd_; }
  QToolButton* OpenButton() { return tbOpen_; }
  QToolButton* RemoveButton() { return tbRemove_; }
  QToolButton* PrintButton() { return tbPrint_; }
  QToolButton* TextButton() { return tbText_; }
  QToolButton* SendButton() { return tbSend_; }
  QPushButton* AttachmentsButton() { return sbShowAttach_; }
  QPushButton* SaveButton() { return sbOK_; }
  QPushButton* CancelButton() { return sbCancel_; }
  QPushButton* CloseButton() { return sbClose_; }
  // The record index of the selected row, -1 for none.
  int SelectedRecord() const;
  void SelectRecord(size_t index);

  // Told after the window was closed for good (it then deletes itself),
  // when it is activated or deactivated, and when its button caption changed.
  std::function<void(TAutoForm*)> onClosed;
  std::function<void(TAutoForm*, bool active)> onActivation;
  std::function<void(TAutoForm*)> onCaptionChanged;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QGroupBox* BuildVehicleBox();
  QGroupBox* BuildOwnerBox();
  QGroupBox* BuildRecordsBox();
  void ShowVehicle();
  void ShowOwner();
  void ShowCaption();
  void FillRecordList();
  void UpdateDocuments();
  void ShowDocumentsPanel(const Tzaznam* selected);
  void edSearchChange();
  void FormHelp();
  // "Car ID#" + ID + ": " + action in the trace log.
  void Trace(const std::string& action);
  // Runs a command; nothing it raises escapes the slot.
  void Safely(const std::function<void()>& command);

  TCustomCarDb& cars_;
  TCustomRecDb& recordStore_;
  TRecordWindowServices services_;
  int32_t vehicleID_ = -1;
  Tautomobil vehicle_;
  AZaznamy records_;
  TContactRecord owner_;
  bool ownerKnown_ = false;
  bool modified_ = false;
  bool vehicleTouched_ = false;  // vehicle data changed without the flag
  bool simpleMode_ = false;
  bool closing_ = false;
  TRecordList shown_;

  QGroupBox *vehicleBox_, *ownerBox_, *recordsBox_;
  QLabel *tag_, *makeType_, *engine_, *year_, *color_, *vin_;
  QLabel *ownerName_, *ownerStreet_, *ownerCity_, *ownerPhones_, *Umail_, *ownerOther_, *ownerOtherCaption_;
  QPushButton *sbEnableEdit_, *sbEditComment_, *sbOrder_, *sbShowAttach_, *sbChangeOwner_, *sbChangeOwnerInfo_;
  QToolButton *tbAdd_, *tbOpen_, *tbRemove_, *tbPrint_, *tbText_, *tbSend_;
  QMenu* pmAdd_;
  QLineEdit* search_;
  TBackgroundTableView* list_;
  TRecordListModel* model_;
  QLabel *kmPerYear_, *inaccurate_;
  QPlainTextEdit* memoPopis_;
  QPlainTextEdit* mVehicleRecords_;
  QWidget* documentsRow_;
  QLabel* documentCaptions_[4];
  QLabel* documents_[4];
  QToolButton* documentButtons_[4][3];
  QLabel* unpaid_;
  QPushButton *sbOK_, *sbCancel_, *sbClose_;
};
