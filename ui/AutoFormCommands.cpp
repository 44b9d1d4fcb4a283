// The records window's commands: opening, adding, changing and deleting
// records, the owner, the vehicle windows, saving and closing.
#include <QCloseEvent>
#include <QGroupBox>
#include <QMenu>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <exception>

#include "shell/Config.h"
#include "shell/Desktop.h"
#include "shell/Help.h"
#include "storage/CarDb.h"
#include "storage/DateText.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/RecDb.h"
#include "servicebook/VehicleSave.h"
#include "ui/AutoForm.h"
#include "ui/BackgroundTableView.h"
#include "ui/DialogParts.h"
#include "ui/MemoText.h"
#include "ui/RecordListModel.h"

namespace {

const char* const kDamagedRecord =
    "Tento záznam se nepodařilo přečíst celý. Aby se neztratilo to, co z něj zůstalo v databázi, "
    "nelze jej měnit ani odstranit.";

}  // namespace

void TAutoForm::Safely(const std::function<void()>& command) { GuardedSlot("Záznamy automobilu", command); }

bool TAutoForm::Open(int32_t vehicleID) {
  vehicleID_ = vehicleID;
  if (!cars_.LoadCar(vehicleID, vehicle_)) {
    ShowMessage("Chyba", "Nemohu nalézt záznam", TMsgIcon::Error);
    return false;
  }
  if (vehicle_.IsArchived() &&
      ShowMessage("Dotaz", "Vozidlo je archivováno. Chcete jej přesunout z archivu do aktivní databáze?",
                  TMsgIcon::Question, mbYesNo, TMsgAnswer::Yes) == TMsgAnswer::Yes) {
    vehicle_.archived = 0;
    modified_ = true;  // the vehicle is written at the next save
  }
  ShowCaption();
  LogTrace(1, "Open car ID#" + std::to_string(vehicleID) + " " + ButtonCaption().toStdString());
  if (!recordStore_.LoadCarRecords(vehicleID, records_))
    ShowMessage("Upozornění",
                "Některé záznamy tohoto vozidla se nepodařilo přečíst celé. Nečitelné záznamy nejsou zobrazeny "
                "a neúplně přečtené záznamy nelze měnit ani odstranit; v databázi zůstávají tak, jak jsou.",
                TMsgIcon::Warning);
  simpleMode_ = Config().simplerecords;
  recordsBox_->setVisible(!simpleMode_);
  mVehicleRecords_->setVisible(simpleMode_);
  sbEditComment_->setVisible(!simpleMode_);
  // Commands whose window is not part of the program stay hidden.
  const bool adds[] = {bool(services_.addRecord), bool(services_.addRecord), bool(services_.addRecord),
                       bool(services_.editRefueling), bool(services_.editTrip)};
  const QList<QAction*> items = pmAdd_->actions();
  for (int i = 0; i < items.size() && i < 5; ++i) items[i]->setVisible(adds[i]);
  tbAdd_->setVisible(adds[0] || adds[3] || adds[4]);
  tbPrint_->setVisible(bool(services_.printRecords));
  tbText_->setVisible(bool(services_.saveAsText));
  tbSend_->setVisible(bool(services_.sendRecord));
  sbShowAttach_->setVisible(bool(services_.showAttachments));
  sbOrder_->setVisible(bool(services_.orderParts));
  ShowVehicle();
  FillRecordList();
  if (model_->rowCount() > 0) SelectRecord(model_->Rows().back().index);  // the latest record
  UpdateDocuments();
  return true;
}

void TAutoForm::NovyZaznamClick(int32_t kind) {
  Tzaznam record;
  InitRecord(record, vehicleID_, kind);
  Trace("Add record (type=" + std::to_string(kind) + ")");
  // The editor works on a copy; the record joins the array only when confirmed.
  bool confirmed = false;
  switch (kind) {
    case kKindDone:
    case kKindPlan:
    case kKindOrder:
      if (services_.addRecord) confirmed = services_.addRecord(this, vehicle_, record, kind);
      break;
    case kKindRefuel:
      if (services_.editRefueling) confirmed = services_.editRefueling(this, record);
      break;
    case kKindTrip:
      if (services_.editTrip) confirmed = services_.editTrip(this, record);
      break;
    default:
      ShowError("Neznámý druh záznamu (" + std::to_string(kind) + ").");
      return;
  }
  if (!confirmed) {
    Trace("add record cancelled");
    FillRecordList();
    return;
  }
  records_.push_back(record);
  const size_t added = records_.size() - 1;
  const TRecordListSettings settings = RecordListSettingsFrom(Config(), Today());
  Trace("Added record ID#" + std::to_string(record.db.ID) + " " + RecordListText(record, settings.vat));
  FillRecordList();
  SelectRecord(added);
  DataChanged();
}

void TAutoForm::ZobrazZaznamClick() {
  const int selected = SelectedRecord();
  if (selected < 0) return;
  const size_t index = static_cast<size_t>(selected);
  Tzaznam record = records_[index];
  bool changed = false;
  switch (record.db.kind) {
    case kKindDone:
    case kKindPlan:
    case kKindPlanNoWarn:
    case kKindOrder:
      if (!services_.changeRecord) return;
      if (record.damaged) break;
      changed = services_.changeRecord(this, vehicle_, record, true);
      break;
    case kKindRefuel:
      if (!services_.editRefueling) return;
      if (record.damaged) break;
      changed = services_.editRefueling(this, record);
      break;
    case kKindTrip:
      if (!services_.editTrip) return;
      if (record.damaged) break;
      changed = services_.editTrip(this, record);
      break;
    default:
      // Damaged or foreign data: nothing to open it with.
      ShowError("Neznámý druh záznamu (" + std::to_string(record.db.kind) + "), záznam nelze otevřít.");
      return;
  }
  if (record.damaged) {
    ShowMessage("Upozornění", kDamagedRecord, TMsgIcon::Warning);
    return;
  }
  if (!changed || index >= records_.size()) return;
  records_[index] = record;
  FillRecordList();
  DataChanged();
}

void TAutoForm::BtnOdstranitClick() {
  const int selected = SelectedRecord();
  if (selected < 0) return;
  const size_t index = static_cast<size_t>(selected);
  if (records_[index].damaged) {
    ShowMessage("Upozornění", kDamagedRecord, TMsgIcon::Warning);
    return;
  }
  if (ShowMessage("Otázka", "Opravdu chcete odstranit záznam?", TMsgIcon::Question, mbYesNo, TMsgAnswer::No) !=
      TMsgAnswer::Yes)
    return;
  const Tzaznam& r = records_[index];
  const TRecordListSettings settings = RecordListSettingsFrom(Config(), Today());
  Trace("Delete record #" + std::to_string(r.db.ID) + " (" + (r.db.date > 0 ? DateText(r.db.date) : "?") + ", " +
        std::to_string(r.db.km) + ", " + RecordListText(r, settings.vat) + ")");
  // The last record takes the deleted one's place; the list is sorted anyway.
  const int row = list_->currentIndex().row();
  if (index + 1 != records_.size()) records_[index] = std::move(records_.back());
  records_.pop_back();
  FillRecordList();
  // The selection stays where the deleted row was, not with the moved record.
  if (model_->rowCount() > 0) SelectRecord(static_cast<size_t>(model_->RecordAt(std::min(row, model_->rowCount() - 1))));
  DataChanged();
}

bool TAutoForm::ChangeRecord(int32_t recordID, const std::function<void(Tzaznam&)>& change) {
  if (recordID < 0) return false;
  for (Tzaznam& r : records_) {
    if (r.db.ID != recordID) continue;
    if (r.damaged) return false;
    change(r);
    FillRecordList();
    DataChanged();
    return true;
  }
  return false;
}

void TAutoForm::sbEnableEditClick() {
  if (!services_.changeVehicle || !services_.changeVehicle(this, vehicle_)) return;
  vehicleTouched_ = true;  // stored with the next save
  ShowCaption();
  ShowVehicle();
  UpdateDocuments();
  if (onCaptionChanged) onCaptionChanged(this);
}

void TAutoForm::btnEditCommentClick() {
  if (!services_.editComments || !services_.editComments(this, vehicle_)) return;
  vehicleTouched_ = true;
  ShowVehicle();
}

void TAutoForm::sbOrderClick() {
  if (services_.orderParts) services_.orderParts(this, vehicle_);
}

void TAutoForm::sbShowAttachClick() {
  if (services_.showAttachments) services_.showAttachments(this, vehicle_);
}

void TAutoForm::sbChangeOwnerClick() {
  if (!services_.chooseContact) return;
  const int32_t chosen = services_.chooseContact(this, vehicle_.ownerID);
  if (chosen >= 0 && chosen != vehicle_.ownerID) {
    vehicle_.ownerID = chosen;
    DataChanged();
  }
  ShowOwner();
  UpdateDocuments();
}

void TAutoForm::sbChangeOwnerInfoClick() {
  if (vehicle_.ownerID < 0) {
    ShowMessage("Upozornění", "Nejprve vyberte majitele.", TMsgIcon::Warning);
    return;
  }
  TContactRecord contact;
  if (!services_.readContact || !services_.readContact(vehicle_.ownerID, contact)) {
    ShowMessage("Chyba", "Nepodařilo se načíst záznam z databáze", TMsgIcon::Error);
    return;
  }
  if (!services_.editContact || !services_.editContact(this, contact)) return;
  if (!services_.saveContact || !services_.saveContact(contact)) return;  // reported by the store
  ShowOwner();
  UpdateDocuments();
  if (services_.ownerChanged) services_.ownerChanged(vehicle_.ownerID);
}

void TAutoForm::UmailClick() {
  if (services_.composeEmail && !Umail_->text().isEmpty())
    services_.composeEmail(Umail_->text().toStdString(), Config().usersubj);
}

void TAutoForm::btnPrintClick(bool selectedOnly) {
  if (!services_.printRecords || (selectedOnly && SelectedRecord() < 0)) return;
  services_.printRecords(this, View(), selectedOnly);
}

void TAutoForm::btnTextClick() {
  if (services_.saveAsText) services_.saveAsText(this, View());
}

void TAutoForm::tbSendClick() {
  if (!services_.sendRecord || SelectedRecord() < 0 || Umail_->text().isEmpty()) return;
  services_.sendRecord(this, View());
}

void TAutoForm::DataChanged() {
  if (Config().instantsave) {
    SaveVehicle();
    return;
  }
  modified_ = true;
}

bool TAutoForm::HasUnsavedChanges() const {
  return modified_ || vehicleTouched_ ||
         (simpleMode_ && FromMemoText(mVehicleRecords_->toPlainText()) != vehicle_.comments);
}

bool TAutoForm::SaveVehicle() {
  if (simpleMode_) vehicle_.comments = FromMemoText(mVehicleRecords_->toPlainText());
  // The effective dates are stored with the records: the reminders read them.
  StoreEffectiveDates(records_, RecordListSettingsFrom(Config(), Today()));
  if (!SaveVehicleAndRecords(cars_, recordStore_, vehicle_, records_)) {
    modified_ = true;
    ShowMessage("Chyba",
                "Změny vozidla " + vehicle_.tag +
                    " se nepodařilo celé uložit. Okno zůstává otevřené se všemi změnami; uložte je prosím znovu.",
                TMsgIcon::Error);
    return false;
  }
  LogTrace(1, "Car ID#" + std::to_string(vehicleID_) + " saved. LastService=" + DateText(vehicle_.lastService));
  modified_ = false;
  vehicleTouched_ = false;
  if (services_.vehicleSaved) services_.vehicleSaved(vehicleID_);
  return true;
}

void TAutoForm::BtnUlozitClick() {
  LogTrace(1, "Save car ID#" + std::to_string(vehicleID_));
  if (!SaveVehicle()) return;  // nothing typed is lost: the window stays open
  close();
}

void TAutoForm::BtnStornoClick() {
  LogTrace(1, "Cancel modifications for car ID#" + std::to_string(vehicleID_));
  close();
}

void TAutoForm::closeEvent(QCloseEvent* event) {
  try {
    Trace("form close");
    if (Config().instantsave && HasUnsavedChanges()) SaveVehicle();
    if (HasUnsavedChanges()) {
      if (ShowMessage("Dotaz", "Opravdu chcete stornovat provedené změny?", TMsgIcon::Question, mbYesNo,
                      TMsgAnswer::No) != TMsgAnswer::Yes) {
        Trace("close cancelled; windows remains open");
        event->ignore();
        return;
      }
      Trace("close confirmed without save");
    } else {
      Trace("no modification detected");
    }
  } catch (const std::exception& e) {
    LogError(std::string("Záznamy automobilu: ") + e.what(), true);
    event->ignore();  // the window stays rather than lose what it holds
    return;
  }
  event->accept();
  if (onClosed) onClosed(this);
}

void TAutoForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && onActivation) onActivation(this, isActiveWindow());
}

void TAutoForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    FormHelp();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  if (event->matches(QKeySequence::Save) && !Config().instantsave) {
    Safely([this] { BtnUlozitClick(); });
    return;
  }
  if (event->matches(QKeySequence::Find)) {
    search_->setFocus();
    search_->selectAll();
    return;
  }
  if (event->key() == Qt::Key_Delete && list_->hasFocus()) {
    Safely([this] { BtnOdstranitClick(); });
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TAutoForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      Safely([this] { ZobrazZaznamClick(); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TAutoForm::FormHelp() {
  const std::string address = HelpPageAddress("autoform.html");
  if (address.empty() || !GetDesktop().OpenUrl(address))
    ShowMessage("Chyba", "Nápověda není k dispozici.", TMsgIcon::Error);
}
