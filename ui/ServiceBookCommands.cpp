#include "ui/ServiceBookCommands.h"

#include <QPrintDialog>
#include <QPrinter>

#include "documents/PagePrinter.h"
#include "exchange/SendRecords.h"
#include "exchange/WebService.h"
#include "shell/Config.h"
#include "storage/Notifier.h"
#include "ui/QtPrintCanvas.h"
#include "ui/SelectItems.h"

namespace {

const char* const kJobTitle = "Záznamy vozidla";

}  // namespace

void PrintServiceBookTo(QPrinter& printer, const TServiceBookView& view, bool selectedOnly, const QImage& printLogo,
                        const QImage& pagePicture) {
  printer.setDocName(QString::fromUtf8(kJobTitle));
  TQtPrintCanvas canvas(printer, printLogo, pagePicture);
  if (!canvas.IsActive()) {
    ShowMessage("Chyba", "Tisk se nepodařilo zahájit.", TMsgIcon::Error);
    return;
  }
  int first = 1, last = 999;
  if (printer.printRange() == QPrinter::PageRange) {
    first = printer.fromPage();
    last = printer.toPage();
  }
  TGarvPrinter p(canvas, kJobTitle, first, last);
  PrintServiceBook(p, canvas, view, selectedOnly, Config());
}

void PrintServiceBookCommand(QWidget* parent, const TServiceBookView& view, bool selectedOnly,
                             const QImage& printLogo, const QImage& pagePicture) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QString::fromUtf8("Tisk"));
  if (dialog.exec() != QDialog::Accepted) return;
  PrintServiceBookTo(printer, view, selectedOnly, printLogo, pagePicture);
}

void SendRecordCommand(QWidget* parent, const TServiceBookView& view) {
  std::vector<bool> marks = {true, true};
  if (!SelectItems("Odeslat záznam e-mailem", "Přiložit informace o:", {"Majiteli", "Vozidle"}, marks, parent))
    return;
  SendRecordToOwner(view, marks[0], marks[1], WebService(), Config());
}

void AddServiceBookServices(TRecordWindowServices& s, std::function<QImage()> printLogo,
                            std::function<QImage()> pagePicture) {
  s.printRecords = [printLogo, pagePicture](QWidget* parent, const TRecordWindowView& view, bool selectedOnly) {
    PrintServiceBookCommand(parent, view, selectedOnly, printLogo ? printLogo() : QImage(),
                            pagePicture ? pagePicture() : QImage());
  };
  s.saveAsText = [](QWidget*, const TRecordWindowView& view) { ExportServiceBookText(view, Config()); };
  s.sendRecord = [](QWidget* parent, const TRecordWindowView& view) { SendRecordCommand(parent, view); };
}
