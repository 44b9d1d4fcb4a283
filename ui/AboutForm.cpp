#include "ui/AboutForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "storage/Version.h"

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("O tomto programu"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QString::fromUtf8("<h2>Garvel</h2>"), this);
  title->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);
  auto* version = new QLabel(QString::fromUtf8("Verze %1, vydáno 21.11.2022").arg(QString::fromUtf8(kGarvelVersion)), this);
  version->setAlignment(Qt::AlignCenter);
  layout->addWidget(version);
  auto* text = new QLabel(QString::fromUtf8("Servisní knížka vozidel pro autoservisy a jejich zákazníky.<br>"
                                            "<a href=\"https://garvel.example\">https://garvel.example</a><br>"
                                            "podpora@garvel.example"),
                          this);
  text->setAlignment(Qt::AlignCenter);
  text->setOpenExternalLinks(true);
  layout->addWidget(text);
  auto* buttons = new QHBoxLayout;
  auto* close = new QPushButton(QString::fromUtf8(" &Zavřít"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addStretch();
  buttons->addWidget(close);
  buttons->addStretch();
  layout->addLayout(buttons);
  setMinimumWidth(380);
}
