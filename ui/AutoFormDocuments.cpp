// The records window's documents panel: the selected record's job sheet,
// receipt, invoice and simplified tax document, with the commands that issue,
// reopen and show them.
#include <QLabel>
#include <QToolButton>

#include "documents/DocumentIssue.h"
#include "documents/DocumentRecords.h"
#include "documents/RecordDocuments.h"
#include "shell/Config.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "ui/AutoForm.h"

void TAutoForm::ShowDocumentsPanel(const Tzaznam* selected) {
  const auto views = RecordDocumentsView(selected, Config().taxpaid);
  const bool editable = bool(services_.editDocument);
  const bool showable = bool(services_.showDocument);
  for (int i = 0; i < 4; ++i) {
    const TRecordDocumentView& v = views[static_cast<size_t>(i)];
    documentCaptions_[i]->setText(QString::fromUtf8(v.caption.c_str()));
    QLabel* number = documents_[i];
    number->setText(QString::fromStdString(v.number));
    QFont font = number->font();
    font.setStrikeOut(v.missing);
    number->setFont(font);
    QPalette palette = number->palette();
    palette.setColor(QPalette::WindowText, v.missing ? QColor(0xC0, 0, 0) : this->palette().color(QPalette::WindowText));
    number->setPalette(palette);
    number->setToolTip(v.missing ? QString::fromUtf8("Uložený doklad chybí nebo patří jinému záznamu")
                                 : QString::fromUtf8("Klepnutím zkopírujete do schránky"));
    documentButtons_[i][0]->setVisible(editable && v.canCreate);
    documentButtons_[i][1]->setVisible(editable && v.canEdit);
    documentButtons_[i][2]->setVisible(showable && v.canShow);
  }
}

void TAutoForm::sbEditDocumentClick(int document) {
  const int selected = SelectedRecord();
  if (selected < 0 || !services_.editDocument) return;
  const size_t index = static_cast<size_t>(selected);
  if (records_[index].db.ID < 0) {
    // A document names its record by ID, and the number must reach the
    // stored record at once: a new record is stored first.
    if (!AskYesNo("Dotaz", "Záznam ještě není uložen. Před vystavením dokladu se změny vozidla uloží. Pokračovat?",
                  true) ||
        !SaveVehicle())
      return;
  }
  Tzaznam& record = records_[index];
  TContactRecord owner;
  if (ownerKnown_) owner = owner_;
  else InitContact(owner);
  Tzaznam edited = record;
  const bool changed = services_.editDocument(this, vehicle_, owner, edited, document);
  if (changed) {
    const TDocumentKind kind = RecordDocumentKind(document);
    SetRecordDocumentNumber(record.db, kind, RecordDocumentNumberText(edited.db, kind));
    // The stored record names its document at once, whatever becomes of the
    // window's other changes.
    if (!StoreDocumentNumber(recordStore_, record, kind))
      LogError("Document number not stored at once: record ID#" + std::to_string(record.db.ID), false);
    Trace("Document " + std::to_string(document) + " " + RecordDocumentNumber(record.db, kind));
    DataChanged();
  }
  UpdateDocuments();
}

void TAutoForm::sbShowDocumentClick(int document) {
  const int selected = SelectedRecord();
  if (selected < 0 || !services_.showDocument) return;
  services_.showDocument(records_[static_cast<size_t>(selected)], document);
}
