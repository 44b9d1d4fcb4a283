#include "catalogues/ContactListPrint.h"

#include <string>
#include <vector>

#include "catalogues/ContactList.h"
#include "documents/PagePrinter.h"
#include "storage/Notifier.h"

bool ConfirmContactListPrint(const TContactList& list) {
  if (list.Search().empty()) return true;
  return ShowMessage("Tisk", "Máte zapnutý filtr. Vytisknou se pouze zobrazené položky. Chcete pokračovat?",
                     TMsgIcon::Question, mbYesNo, TMsgAnswer::Yes) == TMsgAnswer::Yes;
}

void PrintContactList(const TContactList& list, ITextCanvas& canvas, int firstPage, int lastPage) {
  const std::string title = "Seznam zákazníků";
  TGarvPrinter p(canvas, title, firstPage, lastPage);
  canvas.SetFontSize(20);
  p.MoveToX(canvas.PageWidth() / 2 - canvas.TextWidth(title) / 2);
  p.PrintText(title);
  p.NewLine();
  p.NewLine();
  canvas.SetFontSize(10);
  std::vector<std::string> captions;
  for (int c = 0; c < kContactColumnCount; ++c) captions.push_back(ContactColumnCaption(c));
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<size_t>(list.RowCount()));
  for (int r = 0; r < list.RowCount(); ++r) {
    const auto& columns = list.Row(r).columns;
    rows.emplace_back(columns.begin(), columns.end());
  }
  p.PrintListView(captions, rows);
}
