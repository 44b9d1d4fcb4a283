#pragma once
// The record editor's work without its widgets: a service record of kind
// DONE, PLAN, PLAN_NOWARN or ORDER while it is edited, in the list style (a
// priced list of activity and material lines) or the text style (two free
// texts and two whole prices). The window copies its controls into `fields`
// before an event and shows `fields`, the lines and the sums after it.
//
// Questions and messages go through the notifier (storage/Notifier.h).

#include <cstdint>
#include <string>
#include <vector>

#include "servicebook/Activities.h"
#include "servicebook/ActivityImport.h"
#include "storage/ServiceRecord.h"

struct TConfig;

// The settings the editor reads; taken from the configuration at opening.
struct TRecordEditorSettings {
  bool usegraphmode = true;
  bool taxpaid = true;
  double taxrate = 21;
  double hourrate = 200;
  bool customerEdition = false;
};
TRecordEditorSettings RecordEditorSettingsFrom(const TConfig& config);

// Columns of the activity list, by identifier (= position).
enum TActColumn : int {
  kColIcon = 0,
  kColText = 1,
  kColCount = 2,
  kColPrice = 3,
  kColPriceVAT = 4,
  kColTotal = 5,
  kColTotalVAT = 6,
  kColPurchase = 7,
  kColPurchaseVAT = 8,
  kColEnd = 9,
  kActColumnCount = 10,
};
// "" for 0 and 9, then "Popis", "ks/hod", "Sazba", ...
const char* ActColumnHeading(int column);
// The stored mask of shown columns (INI custom/columnMask) as the list uses
// it: "Popis" is always shown.
inline constexpr int kDefaultColumnMask = 0x8FFFFF;
int EffectiveColumnMask(int storedMask);
inline bool ColumnShown(int mask, int column) { return (mask >> column) & 1; }

inline constexpr size_t kFreeTextLimit = 5000;  // "Úkony:" and "Materiál:" of the text style
inline constexpr int kTextPriceLimit = 999999;

// What the window's controls hold. Multi-line texts use CR LF.
struct TRecordEditorFields {
  int day = 1, month = 1, year = 2000;
  bool latest = true;  // "Nejpozději dne"; always on for DONE and ORDER
  int32_t kind = kKindDone;
  std::string km;
  std::string startHours, startMinutes;
  std::string durationHours, durationMinutes;
  std::string description, material;  // text style
  int priceWork = 0, priceMaterial = 0;  // text style: -1..999999 and 0..999999
  bool laborVAT = true;                  // "Započítat DPH za práci"
  bool paid = true;                      // "Zaplaceno"
};

// The price panel.
struct TEditorSums {
  double hours = 0, labour = 0, labourVAT = 0, labourCost = 0;
  double material = 0, materialVAT = 0, materialCost = 0;
  double total = 0, cost = 0, margin = 0;  // RoundPrice
};

class TRecordEditor {
 public:
  explicit TRecordEditor(const TRecordEditorSettings& settings = {}) : settings_(settings) {}

  // A new record of the kind; today's date, empty list, list style when
  // usegraphmode is on.
  void OpenNew(int32_t kind);
  // An existing record: the list style exactly when its description decodes
  // as an activity list. Locked records take no change until Unlock().
  void OpenExisting(const Tzaznam& record, bool locked);
  void Unlock() { locked_ = false; }

  // Any change of a field or check box.
  void MarkChanged() { changed_ = true; }
  // The kind combo: layout and default quantity follow; an undated plan
  // that becomes a performed service or an order gets today's date.
  void KindChanged(int32_t kind);

  // "Přidat"/"Uložit": the checks in order, each failing with its message;
  // true when the editor may close as confirmed.
  bool Confirm();
  // Writes the confirmed fields into the record (the caller's copy).
  void WriteRecord(Tzaznam& record) const;

  // Lines of the list style. Indexes are positions in the list.
  const TActRecordList& Lines() const { return lines_; }
  // An empty line after `after` (or at the end when it is -1): the new index.
  int InsertLine(uint8_t itemType, int after);
  // Asks first; true when the lines went.
  bool DeleteLines(std::vector<int> selected);
  // Swaps the line with its neighbour (-1 up, +1 down): the new index, or
  // the old one when it cannot move.
  int MoveLine(int index, int delta);
  void SetShowOnInvoice(const std::vector<int>& selected, bool show);
  void SetLineIcon(int index, int32_t icon, int32_t colour);
  // The text editor's text: 01..04 replaced, at most 10 lines and 200
  // characters.
  void SetLineText(int index, const std::string& text);
  // A value typed into a column's editor (2..8); false when it is not a
  // number within bounds (nothing changes then).
  bool SetLineValue(int index, int column, const std::string& text);
  // What a column shows for a line (2..8).
  std::string CellText(int index, int column) const;
  // The clipboard form of the lines: the encoded activity list.
  std::string CopyLines(const std::vector<int>& selected) const;
  // Appends the lines of a clipboard text: the index of the last one, or -1
  // when the text is not an activity list (nothing changes then).
  int PasteLines(const std::string& text);
  // Appends a template's lines: the index of the last one (-1 when empty).
  int AppendLines(const TActRecordList& lines);
  // The timer's reply: asks "Vložit tato data?" and on Yes replaces the list.
  // The index of the last line, or -1 when nothing changed.
  int OfferTimerData(const std::vector<TTimerEntry>& entries);

  TEditorSums Sums() const;
  // "Spočítat": the duration becomes the activities' hours.
  void CalcDuration();
  // The VAT factor of a line's amounts, as "Započítat DPH za práci" says.
  double LineVatFactor(uint8_t itemType) const;

  // State and layout.
  bool IsNew() const { return isNew_; }
  bool Locked() const { return locked_; }
  bool Changed() const { return changed_; }
  bool ListStyle() const { return listStyle_; }
  bool ConfirmShown() const { return isNew_ || changed_; }
  bool LatestShown() const;     // plans only
  bool DateShown() const { return fields.latest || !LatestShown(); }
  bool TimeGroupShown() const { return !LatestShown(); }
  bool PaidShown() const { return fields.kind == kKindDone; }
  bool LaborVATShown() const { return settings_.taxpaid; }
  bool ExternalInputShown() const { return !locked_ && !settings_.customerEdition; }
  float DefaultQuantity() const { return fields.kind == kKindDone ? 1.0f : 0.0f; }
  const TRecordEditorSettings& Settings() const { return settings_; }

  TRecordEditorFields fields;

 private:
  void Reset(int32_t kind);
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(lines_.size()); }

  TRecordEditorSettings settings_;
  TActRecordList lines_;
  bool isNew_ = true;
  bool locked_ = false;
  bool changed_ = false;
  bool listStyle_ = true;
};

// Hours as "h:mm" for the price panel.
std::string HoursText(double hours);
