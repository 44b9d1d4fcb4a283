#include "ui/VehicleListPrint.h"

#include <QPrinter>

#include "shell/VehicleList.h"
#include "storage/Notifier.h"
#include "ui/QtPrintCanvas.h"

bool ConfirmVehicleListPrint(const TVehicleList& list) {
  if (list.Filter().search.empty()) return true;
  return ShowMessage("Tisk", "Máte zapnutý filtr. Vytisknou se pouze zobrazené položky. Chcete pokračovat?",
                     TMsgIcon::Question, mbYesNo, TMsgAnswer::Yes) == TMsgAnswer::Yes;
}

void PrintVehicleList(const TVehicleList& list, QPrinter& printer, const QImage& printLogo, const QImage& pagePicture) {
  printer.setDocName(QString::fromUtf8("Seznam vozidel"));  // the job's name in the print queue
  TQtPrintCanvas canvas(printer, printLogo, pagePicture);
  if (!PrintStarted(canvas)) return;
  int first, last;
  ChosenPages(printer, first, last);
  TGarvPrinter p(canvas, "Seznam vozidel", first, last);
  canvas.SetFontSize(20);
  p.PrintLine("Seznam vozidel", true);
  canvas.SetFontSize(10);
  p.NewLine();
  p.NewLine();
  // The visible columns: hidden ones (width 0) are left out.
  std::vector<int> tags;
  std::vector<std::string> captions;
  for (const TVehicleColumn& c : list.Columns()) {
    if (c.width == 0) continue;
    tags.push_back(c.tag);
    captions.push_back(c.caption);
  }
  std::vector<std::vector<std::string>> rows;
  rows.reserve(list.Rows().size());
  for (const TVehicleRow& r : list.Rows()) {
    std::vector<std::string> cells;
    for (int tag : tags) cells.push_back(r.Value(tag));
    rows.push_back(std::move(cells));
  }
  p.PrintListView(captions, rows);
}

void PrintVehicleListCommand(const TVehicleList& list, QWidget* parent, const QImage& printLogo,
                             const QImage& pagePicture) {
  if (!ConfirmVehicleListPrint(list)) return;
  QPrinter printer(QPrinter::HighResolution);
  if (!AskPrinter(printer, parent)) return;
  PrintVehicleList(list, printer, printLogo, pagePicture);
}
