#include "servicebook/RecordEditor.h"

#include <algorithm>
#include <cmath>

#include "servicebook/TypedNumbers.h"
#include "shell/Config.h"
#include "storage/Codec.h"
#include "storage/DateTime.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"
#include "storage/PriceRounding.h"
#include "storage/TextUtils.h"

namespace {

const char* const kHeadings[kActColumnCount] = {"",      "Popis", "ks/hod",     "Sazba",      "Sazba s DPH",
                                                 "Cena", "Cena s DPH", "Nákup", "Nákup s DPH", ""};

bool IsPlan(int32_t kind) { return kind == kKindPlan || kind == kKindPlanNoWarn; }

void SetDateFields(TRecordEditorFields& f, TDateTime date) {
  const TDateParts p = DecodeDate(date);
  f.day = p.day;
  f.month = p.month;
  f.year = p.year;
}

std::string Padded2(int value) { return ZeroPad(value, 2); }

// A time field: empty counts as 0; otherwise a whole number within 0..limit.
// Blanks and leading zeros do not matter.
bool TimePart(const std::string& text, int limit, int& value) {
  const std::string t = TrimBlanks(text);
  value = 0;
  if (t.empty()) return true;
  if (!IsInteger(t)) return false;
  const long long v = ParseInteger(t, -1);
  if (v < 0 || v > limit) return false;
  value = static_cast<int>(v);
  return true;
}

// A whole price for the stored single-precision fields: rounded half to
// even, and never beyond what a float holds exactly enough.
float RoundedPrice(double value) {
  if (!std::isfinite(value)) return 0;
  value = std::clamp(value, -1e12, 1e12);
  return static_cast<float>(std::nearbyint(value));
}

bool Finite(double v) { return std::isfinite(v) && std::fabs(v) <= 1e12; }

}  // namespace

TRecordEditorSettings RecordEditorSettingsFrom(const TConfig& config) {
  TRecordEditorSettings s;
  s.usegraphmode = config.usegraphmode;
  s.taxpaid = config.taxpaid;
  s.taxrate = std::isfinite(config.taxrate) ? config.taxrate : 0;
  s.hourrate = std::isfinite(config.hourrate) ? std::clamp(config.hourrate, -kMaxTypedAmount, kMaxTypedAmount) : 0;
  s.customerEdition = config.edition == 0;
  return s;
}

const char* ActColumnHeading(int column) {
  return column >= 0 && column < kActColumnCount ? kHeadings[column] : "";
}

int EffectiveColumnMask(int storedMask) { return storedMask | (1 << kColText); }

std::string HoursText(double hours) { return QuantityText(kItemActivity, hours); }

void TRecordEditor::Reset(int32_t kind) {
  fields = TRecordEditorFields{};
  fields.kind = kind;
  SetDateFields(fields, Today());
  lines_.clear();
  changed_ = false;
}

void TRecordEditor::OpenNew(int32_t kind) {
  Reset(kind);
  isNew_ = true;
  locked_ = false;
  listStyle_ = settings_.usegraphmode;
  // A new plan has no date until the user checks "Nejpozději dne".
  fields.latest = !IsPlan(kind);
}

void TRecordEditor::OpenExisting(const Tzaznam& record, bool locked) {
  const TzaznamDb& db = record.db;
  Reset(db.kind);
  isNew_ = false;
  locked_ = locked;
  listStyle_ = DecodeActivities(record.description, lines_);
  if (!listStyle_) lines_.clear();
  if (db.km >= 0) fields.km = std::to_string(db.km);
  fields.priceWork = static_cast<int>(std::clamp<double>(RoundedPrice(db.priceWrk), -1, 1e9));
  fields.priceMaterial = static_cast<int>(std::clamp<double>(RoundedPrice(db.priceMat), 0, 1e9));
  // An undated record shows today in the (hidden) date boxes rather than
  // 30.12.1899, so checking "Nejpozději dne" starts from a sensible date.
  if (db.date >= 1 && std::isfinite(db.date)) SetDateFields(fields, db.date);
  // Only plans may be undated; a performed service or an order always
  // keeps a date.
  fields.latest = db.date >= 1 || !IsPlan(db.kind);
  fields.description = record.description;
  fields.material = record.material;
  if (db.time > 0) {
    fields.startHours = std::to_string(db.time / 60);
    fields.startMinutes = std::to_string(db.time % 60);
  }
  if (db.duration > 0) {
    fields.durationHours = Padded2(db.duration / 60);
    fields.durationMinutes = Padded2(db.duration % 60);
  }
  fields.laborVAT = !(db.flags & kFlagNoLaborVAT);
  fields.paid = !(db.flags & kFlagUnpaid);
}

bool TRecordEditor::LatestShown() const { return IsPlan(fields.kind); }

void TRecordEditor::KindChanged(int32_t kind) {
  const bool wasUndatedPlan = IsPlan(fields.kind) && !fields.latest;
  fields.kind = kind;
  if (!IsPlan(kind) && (wasUndatedPlan || !fields.latest)) {
    fields.latest = true;
    SetDateFields(fields, Today());
  }
  changed_ = true;
}

bool TRecordEditor::Confirm() {
  auto refuse = [](const char* text) {
    ShowMessage("Chyba", text, TMsgIcon::Warning);
    return false;
  };
  int32_t km = 0;
  if (!fields.km.empty() && !ReadTypedKm(fields.km, km)) return refuse("Stav KM není číselná hodnota");
  int v = 0;
  // The minute limits are a whole day, not 59.
  if (!TimePart(fields.startHours, 24, v) || !TimePart(fields.startMinutes, 1440, v) ||
      !TimePart(fields.durationHours, 240, v) || !TimePart(fields.durationMinutes, 1440, v))
    return refuse("Údaje o čase jsou neplatné");
  if (!IsValidDate(fields.year, fields.month, fields.day)) return refuse("Neexistující datum.");
  return true;
}

void TRecordEditor::WriteRecord(Tzaznam& record) const {
  TzaznamDb& db = record.db;
  int32_t km = -1;
  db.km = !fields.km.empty() && ReadTypedKm(fields.km, km) ? km : -1;
  int h = 0, m = 0;
  const bool startEmpty = TrimBlanks(fields.startHours).empty() && TrimBlanks(fields.startMinutes).empty();
  TimePart(fields.startHours, 24, h);
  TimePart(fields.startMinutes, 1440, m);
  db.time = startEmpty ? 0 : h * 60 + m;
  const bool durationEmpty = TrimBlanks(fields.durationHours).empty() && TrimBlanks(fields.durationMinutes).empty();
  TimePart(fields.durationHours, 240, h);
  TimePart(fields.durationMinutes, 1440, m);
  db.duration = durationEmpty ? -1 : h * 60 + m;
  db.kind = fields.kind;
  db.flags = 0;
  if (!fields.laborVAT) db.flags |= kFlagNoLaborVAT;
  if (!fields.paid && fields.kind == kKindDone) db.flags |= kFlagUnpaid;
  if (!DateShown()) {
    db.date = 0;
  } else if (IsValidDate(fields.year, fields.month, fields.day)) {
    db.date = EncodeDate(fields.year, fields.month, fields.day);
  } else {
    ShowMessage("Chyba", "Neplatné datum", TMsgIcon::Error);
    db.date = Now();
  }
  if (listStyle_) {
    record.description = EncodeActivities(lines_);
    double work = 0, material = 0;
    for (const TActRecord& a : lines_)
      (a.itemType == kItemActivity ? work : material) += static_cast<double>(a.count) * a.price;
    db.priceWrk = RoundedPrice(work);
    db.priceMat = RoundedPrice(material);
  } else {
    record.description = Utf8Prefix(CleanActivityText(fields.description), kFreeTextLimit);
    record.material = Utf8Prefix(CleanActivityText(fields.material), kFreeTextLimit);
    db.priceWrk = static_cast<float>(std::clamp(fields.priceWork, -1, kTextPriceLimit));
    db.priceMat = static_cast<float>(std::clamp(fields.priceMaterial, 0, kTextPriceLimit));
  }
}

int TRecordEditor::InsertLine(uint8_t itemType, int after) {
  TActRecord line;
  line.itemType = itemType;
  line.icon = -1;
  line.color = itemType == kItemActivity ? kDefaultActivityColor : kMaterialColor;
  line.price = itemType == kItemActivity ? static_cast<float>(settings_.hourrate) : 0.0f;
  line.count = DefaultQuantity();
  line.purchasePrice = 0;
  line.showOnInvoice = true;
  const int at = Valid(after) ? after + 1 : static_cast<int>(lines_.size());
  lines_.insert(lines_.begin() + at, line);
  changed_ = true;
  return at;
}

bool TRecordEditor::DeleteLines(std::vector<int> selected) {
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  std::erase_if(selected, [this](int i) { return !Valid(i); });
  if (selected.empty()) return false;
  bool yes = false;
  if (selected.size() == 1)
    yes = ShowMessage("Opravdu odstranit záznam?", lines_[selected[0]].text, TMsgIcon::Question, mbYesNo,
                      TMsgAnswer::No) == TMsgAnswer::Yes;
  else
    yes = ShowMessage("Opravdu odstranit záznamy?", "Označeno je " + std::to_string(selected.size()) + " záznamů.",
                      TMsgIcon::Question, mbYesNo, TMsgAnswer::No) == TMsgAnswer::Yes;
  if (!yes) return false;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) lines_.erase(lines_.begin() + *it);
  changed_ = true;
  return true;
}

int TRecordEditor::MoveLine(int index, int delta) {
  const int to = index + delta;
  if (!Valid(index) || !Valid(to)) return index;
  std::swap(lines_[index], lines_[to]);
  changed_ = true;
  return to;
}

void TRecordEditor::SetShowOnInvoice(const std::vector<int>& selected, bool show) {
  for (int i : selected)
    if (Valid(i) && lines_[i].showOnInvoice != show) {
      lines_[i].showOnInvoice = show;
      changed_ = true;
    }
}

void TRecordEditor::SetLineIcon(int index, int32_t icon, int32_t colour) {
  if (!Valid(index)) return;
  TActRecord& line = lines_[index];
  if (line.icon == icon && line.color == colour) return;
  line.icon = icon;
  line.color = colour;
  changed_ = true;
}

void TRecordEditor::SetLineText(int index, const std::string& text) {
  if (!Valid(index)) return;
  std::string t = LimitLineText(text);
  if (lines_[index].text == t) return;
  lines_[index].text = std::move(t);
  changed_ = true;
}

double TRecordEditor::LineVatFactor(uint8_t itemType) const {
  const TVatSettings vat{settings_.taxpaid, settings_.taxrate};
  return AmountWithVat(1, itemType, fields.laborVAT ? 0u : static_cast<uint32_t>(kFlagNoLaborVAT), vat);
}

bool TRecordEditor::SetLineValue(int index, int column, const std::string& text) {
  if (!Valid(index)) return false;
  double value = 0;
  if (!ReadTypedHours(TrimBlanks(text), value)) return false;
  TActRecord& line = lines_[index];
  const double factor = LineVatFactor(line.itemType);
  if (column == kColPriceVAT || column == kColTotalVAT || column == kColPurchaseVAT) value /= factor;
  double count = line.count, price = line.price, purchase = line.purchasePrice;
  switch (column) {
    case kColCount: count = value; break;
    case kColPrice:
    case kColPriceVAT: price = value; break;
    case kColPurchase:
    case kColPurchaseVAT: purchase = value; break;
    case kColTotal:
    case kColTotalVAT:
      // A total keeps the quantity when there is one, else the unit price.
      if (count > 0) price = value / count;
      else if (price > 0) count = value / price;
      else {
        count = 1;
        price = value;
      }
      break;
    default: return false;
  }
  if (!Finite(count) || !Finite(price) || !Finite(purchase)) return false;
  line.count = static_cast<float>(count);
  line.price = static_cast<float>(price);
  line.purchasePrice = static_cast<float>(purchase);
  changed_ = true;
  return true;
}

std::string TRecordEditor::CellText(int index, int column) const {
  if (!Valid(index)) return "";
  const TActRecord& line = lines_[index];
  const double factor = LineVatFactor(line.itemType);
  const double total = static_cast<double>(line.count) * line.price;
  switch (column) {
    case kColCount: return QuantityText(line.itemType, line.count);
    case kColPrice: return PriceText(line.price, false);
    case kColPriceVAT: return PriceText(line.price * factor, false);
    case kColTotal: return PriceText(total, false);
    case kColTotalVAT: return PriceText(total * factor, false);
    case kColPurchase: return PriceText(line.purchasePrice, false);
    case kColPurchaseVAT: return PriceText(line.purchasePrice * factor, false);
    default: return "";
  }
}

std::string TRecordEditor::CopyLines(const std::vector<int>& selected) const {
  TActRecordList copy;
  for (int i : selected)
    if (Valid(i)) copy.push_back(lines_[i]);
  return EncodeActivities(copy);
}

int TRecordEditor::PasteLines(const std::string& text) {
  TActRecordList pasted;
  if (!DecodeActivities(text, pasted)) return -1;
  return AppendLines(pasted);
}

int TRecordEditor::AppendLines(const TActRecordList& lines) {
  if (lines.empty()) return -1;
  for (TActRecord line : lines) {
    line.text = LimitLineText(line.text);
    lines_.push_back(std::move(line));
  }
  changed_ = true;
  return static_cast<int>(lines_.size()) - 1;
}

int TRecordEditor::OfferTimerData(const std::vector<TTimerEntry>& entries) {
  if (entries.empty()) return -1;
  std::string question = "Vložit tato data?\r\n";
  for (const TTimerEntry& e : entries) question += e.name + "\r\n";
  if (ShowMessage("Dotaz", question, TMsgIcon::Question, mbYesNo, TMsgAnswer::Yes) != TMsgAnswer::Yes) return -1;
  lines_ = TimerLines(entries);
  changed_ = true;
  return static_cast<int>(lines_.size()) - 1;
}

TEditorSums TRecordEditor::Sums() const {
  TEditorSums s;
  for (const TActRecord& a : lines_) {
    const double count = a.count;
    if (a.itemType == kItemActivity) {
      s.hours += count;
      s.labour += count * a.price;
      s.labourCost += count * a.purchasePrice;
    } else {
      s.material += count * a.price;
      s.materialCost += count * a.purchasePrice;
    }
  }
  s.labourVAT = s.labour * (LineVatFactor(kItemActivity) - 1);
  s.materialVAT = s.material * (LineVatFactor(kItemMaterial) - 1);
  s.total = RoundPrice(s.labour + s.labourVAT + s.material + s.materialVAT);
  s.cost = RoundPrice(s.labourCost + s.materialCost);
  s.margin = RoundPrice(s.labour + s.material - s.labourCost - s.materialCost);
  return s;
}

void TRecordEditor::CalcDuration() {
  const double minutes = std::nearbyint(Sums().hours * 60);
  // Beyond the 240 hours the duration box takes, the check says so.
  const long long m = std::isfinite(minutes) ? static_cast<long long>(std::clamp(minutes, 0.0, 1e9)) : 0;
  fields.durationHours = Padded2(static_cast<int>(m / 60));
  fields.durationMinutes = Padded2(static_cast<int>(m % 60));
  changed_ = true;
}
