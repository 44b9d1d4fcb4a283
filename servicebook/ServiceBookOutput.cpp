#include "servicebook/ServiceBookOutput.h"

#include "documents/PagePrinter.h"
#include "exchange/MakerAddresses.h"
#include "shell/Config.h"
#include "shell/Desktop.h"
#include "storage/Codec.h"
#include "storage/DateText.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"
#include "storage/PriceRounding.h"

namespace {

const char* const kTitle = "Záznamy vozidla";
const std::string kTextRule(48, '-');

std::string OwnerName(const TContactRecord* owner) { return owner ? CustomerDisplayName(*owner) : ""; }

std::string MakeModelSubtype(const Tautomobil& v) {
  std::string text;
  for (const std::string* part : {&v.manufacturer, &v.model, &v.subtype}) {
    if (part->empty()) continue;
    if (!text.empty()) text += ' ';
    text += *part;
  }
  return text;
}

std::string KmText(int32_t km) { return km < 0 ? "nezadáno" : std::to_string(km); }

bool Printed(const TzaznamDb& d) {
  return d.priceWrk >= 0 &&
         (d.kind == kKindDone || d.kind == kKindOrder || d.kind == kKindPlan || d.kind == kKindPlanNoWarn);
}

std::vector<size_t> Rows(const TServiceBookView& view, bool selectedOnly) {
  const size_t count = view.records ? view.records->size() : 0;
  std::vector<size_t> rows;
  if (selectedOnly) {
    if (view.selected >= 0 && static_cast<size_t>(view.selected) < count) rows.push_back(static_cast<size_t>(view.selected));
    return rows;
  }
  for (size_t i : view.rowOrder)
    if (i < count) rows.push_back(i);
  return rows;
}

// One row of the vehicle and owner block: two label and value pairs.
void BlockRow(TGarvPrinter& p, ITextCanvas& canvas, const char* leftLabel, const std::string& leftValue,
              const char* rightLabel, const std::string& rightValue) {
  p.MoveToFraction(0.03);
  p.PrintText(leftLabel);
  p.MoveToFraction(0.15);
  p.PrintText(p.FitText(leftValue, static_cast<int>(canvas.PageWidth() * 0.35)));
  p.MoveToFraction(0.5);
  p.PrintText(rightLabel);
  p.MoveToFraction(0.6);
  p.PrintText(rightValue);
  p.NewLine();
  p.NewLine();
}

void PrintRecord(TGarvPrinter& p, const Tzaznam& r, const TConfig& c) {
  const TzaznamDb& d = r.db;
  p.MoveToFraction(0.03);
  p.PrintText("Datum:");
  p.MoveToFraction(0.15);
  p.PrintText(DateText(RecordDate(d)));
  p.MoveToFraction(0.5);
  p.PrintText("Stav km:");
  p.MoveToFraction(0.6);
  p.PrintText(KmText(d.km));
  p.NewLine();
  p.MoveToFraction(0.03);
  p.PrintText("Cena:");
  p.MoveToFraction(0.15);
  p.PrintText(PriceLine(d, c.taxpaid, c.taxrate));
  p.NewLine();
  p.NewLine();
  if (!r.description.empty()) {
    p.SetTabStops({0, 0.67f, 0.8f, 0.9f, 1.0f});
    for (size_t stop = 1; stop <= 3; ++stop) p.SetTabAlignment(stop, 1);  // right-aligned columns
    p.PrintText("Popis\tpočet\tcena/ks\tcena");
    p.NewLine();
    p.PrintText(FormatActivities(d.kind, d.flags, r.description, 4, "\r\n", "\r\n", '\t',
                                 ServiceBookVat(c.taxpaid, c.taxrate)));
    p.SetTabStops({});
  }
  if (!r.material.empty()) {
    p.PrintLine("Materiál:", false);
    p.PrintText(r.material);
  }
  p.NewLine();
  p.PrintRule(0, 1);
}

void PrintFooter(TGarvPrinter& p, ITextCanvas& canvas, const TConfig& c) {
  p.PrintLine("Nelze použít jako daňový doklad.", true);
  p.PrintLine(c.name + ", " + c.street + ", " + c.city + " " + c.postalCode, true);
  p.PrintLine("tel. " + c.phones, true);
  std::string contacts;
  for (const std::string& part : {c.email.empty() ? "" : "e-mail: " + c.email, c.icq.empty() ? "" : "ICQ#" + c.icq,
                                  c.skype.empty() ? "" : "skype: " + c.skype}) {
    if (part.empty()) continue;
    if (!contacts.empty()) contacts += ", ";
    contacts += part;
  }
  p.PrintLine(contacts, true);
  if (!c.www.empty()) p.PrintLine(c.www, true);
  if (!c.motto.empty()) {
    p.NewLine();
    canvas.SetBold(true);
    p.PrintLine(c.motto, true);
    canvas.SetBold(false);
  }
  p.NewLine();
  p.PrintLine(CreatedByLine(), true);
  p.PrintLine(CustomerEditionLine(), true);
}

}  // namespace

TRecordAmounts RecordAmounts(const TzaznamDb& d, bool taxPaid, double taxRate) {
  TRecordAmounts a;
  a.material = d.priceMat;
  a.labour = d.priceWrk;
  if (taxPaid) {
    const double factor = 1 + taxRate / 100;
    a.material *= factor;
    if (!(d.flags & kFlagNoLaborVAT)) a.labour *= factor;
  }
  a.total = RoundPrice(a.material + a.labour);
  return a;
}

std::string PriceLine(const TzaznamDb& d, bool taxPaid, double taxRate) {
  const TRecordAmounts a = RecordAmounts(d, taxPaid, taxRate);
  return PriceText(a.total, true) + " (materiál " + PriceText(a.material, true) + " + práce " +
         PriceText(a.labour, true) + ")";
}

TVatSettings ServiceBookVat(bool taxPaid, double taxRate) { return TVatSettings{taxPaid, taxPaid ? taxRate : 0}; }

void PrintServiceBook(TGarvPrinter& p, ITextCanvas& canvas, const TServiceBookView& view, bool selectedOnly,
                      const TConfig& c) {
  const Tautomobil& v = *view.vehicle;
  const TContactRecord* o = view.owner;
  canvas.SetFontSize(20);
  p.PrintLine(kTitle, true);
  canvas.SetFontSize(10);
  p.NewLine();

  BlockRow(p, canvas, "RZ:", v.tag, "Jméno:", OwnerName(o));
  BlockRow(p, canvas, "Značka, typ:", MakeModelSubtype(v), "Adresa:", o ? o->street : "");
  BlockRow(p, canvas, "Motor:", v.engine, "", o ? o->city : "");
  BlockRow(p, canvas, "Rok výroby:", YearText(v), "Telefon:", o ? o->phones : "");
  BlockRow(p, canvas, "Barva:", v.color, "e-mail:", o ? o->email : "");
  BlockRow(p, canvas, "VIN kód:", v.vin, "", o ? o->other : "");
  p.NewLine();
  p.PrintRule(0, 1);

  for (size_t i : Rows(view, selectedOnly)) {
    if (p.Stopped()) return;
    const Tzaznam& r = (*view.records)[i];
    if (Printed(r.db)) PrintRecord(p, r, c);
  }
  PrintFooter(p, canvas, c);
}

std::vector<std::string> ServiceBookTextLines(const TServiceBookView& view, const TConfig& c) {
  const Tautomobil& v = *view.vehicle;
  const TContactRecord* o = view.owner;
  std::vector<std::string> lines = {OwnerName(o),  o ? o->street : "", o ? o->city : "", o ? o->phones : "",
                                    o ? o->email : "", "",
                                    v.tag,         MakeModelSubtype(v), v.engine,        YearText(v),
                                    v.color,       v.vin,               "",              kTextRule,
                                    ""};
  if (!v.comments.empty()) lines.insert(lines.end(), {v.comments, "", kTextRule, ""});
  const TVatSettings noValues = ServiceBookVat(c.taxpaid, c.taxrate);
  int number = 0;
  for (size_t i : Rows(view, false)) {
    const Tzaznam& r = (*view.records)[i];
    const TzaznamDb& d = r.db;
    lines.push_back("Záznam č. " + std::to_string(++number) + ", datum:");
    lines.push_back(DateText(RecordDate(d)));
    lines.push_back("");
    lines.push_back("Stav km:");
    lines.push_back(KmText(d.km));
    lines.push_back("");
    if (d.priceWrk >= 0) {
      lines.push_back("Cena:");
      lines.push_back(PriceLine(d, c.taxpaid, c.taxrate));
    } else {
      lines.push_back("<plánovaný servis>");
    }
    lines.push_back("");
    if (!r.description.empty()) {
      lines.push_back("Popis:");
      lines.push_back(FormatActivities(d.kind, d.flags, r.description, 4, "\r\n", "\r\n", '\0', noValues));
      lines.push_back("");
    }
    if (!r.material.empty()) lines.insert(lines.end(), {"Materiál:", r.material, ""});
    lines.insert(lines.end(), {"", kTextRule, ""});
  }
  return lines;
}

bool ExportServiceBookText(const TServiceBookView& view, const TConfig& config) {
  std::string text;
  for (const std::string& line : ServiceBookTextLines(view, config)) text += line + "\r\n";
  const std::string path = GetVirtualFS().GetRealPath("tmp.txt");
  if (!ReplaceWholeFile(path, Utf8ToCp1250(text))) {
    ShowError("Soubor \"" + path + "\" nelze zapsat.");
    return false;
  }
  if (!GetDesktop().OpenDocument(path)) ShowError("Soubor \"" + path + "\" nelze otevřít.");
  return true;
}
