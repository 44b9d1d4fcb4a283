#include "ui/StatisticsWidgets.h"

#include <QBoxLayout>
#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

#include "ui/SlotGuard.h"

void SetUpResultList(QTableView* list) {
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->verticalHeader()->hide();
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
  list->setWordWrap(false);
}

QPushButton* AddComputeButtons(QDialog* dialog, QBoxLayout* layout, std::function<void()> compute) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = new QPushButton(QString::fromUtf8("&Spočítat"), dialog);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8("Storno"), dialog);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  if (compute)
    QObject::connect(ok, &QPushButton::clicked, dialog, [compute] { RunGuarded(compute); });
  else
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return ok;
}

TStatProgressWindow::TStatProgressWindow(QWidget* parent, const QString& caption, const QString& text)
    : dialog_(std::make_unique<QProgressDialog>(text, QString::fromUtf8("Storno"), 0, 1, parent)) {
  dialog_->setWindowTitle(caption);
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setMinimumDuration(300);
}

TStatProgressWindow::~TStatProgressWindow() { dialog_->reset(); }

std::function<bool(int, int)> TStatProgressWindow::Callback() {
  QProgressDialog* dialog = dialog_.get();
  return [dialog](int done, int total) {
    dialog->setMaximum(std::max(1, total));
    dialog->setValue(std::min(done, std::max(1, total)));
    return !dialog->wasCanceled();
  };
}
