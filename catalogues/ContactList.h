#pragma once
// The contact list without its widgets: the array of all readable contacts,
// the search filter, the sort order and the shown rows. Each shown row refers
// to one element of the array.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/ContactRecord.h"

class TCustomDb;

enum TContactColumn : int {
  kContactColName,     // "Jméno": the display name
  kContactColAddress,  // "Adresa": street + ", " + city
  kContactColPhone,    // "telefon"
  kContactColEmail,    // "e-mail"
  kContactColumnCount,
};
const char* ContactColumnCaption(int column);

// One element of the array with the texts the list shows and searches.
struct TContactEntry {
  TContactRecord record;
  std::array<std::string, kContactColumnCount> columns;
  std::string foldedName, foldedEmail, foldedAddress;
  std::string phoneDigits;  // phones without blanks, commas and slashes
};
TContactEntry MakeContactEntry(const TContactRecord& contact);

// The search text prepared once: upper case (Windows-1250 rules), folded,
// and without blanks, commas and slashes for the phone numbers.
struct TContactSearch {
  std::string upper, folded, phone;
};
TContactSearch PrepareContactSearch(std::string_view text);
// Passes when the search is empty, or it occurs in the phone numbers (both
// without blanks, commas and slashes), or folded in the display name, the
// e-mail address or the address text.
bool ContactMatches(const TContactEntry& entry, const TContactSearch& search);

class TContactList {
 public:
  // Reads every slot of the store into the array (slot order, readable
  // records only) and fills the rows through the current search.
  void Load(TCustomDb& store);
  void SetContacts(std::vector<TContactRecord> contacts);

  // A new search text; the rows are filled again.
  void SetSearch(std::string_view text);
  const std::string& Search() const { return search_; }
  // A click on a column's header: the sort column toggles its direction, any
  // other column becomes the sort column, ascending. Czech collation; equal
  // texts keep slot order. The display name, ascending, at first.
  void SortBy(int column);
  int SortColumn() const { return sortColumn_; }
  bool Descending() const { return descending_; }

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const TContactEntry& Row(int row) const { return entries_[static_cast<size_t>(rows_[static_cast<size_t>(row)])]; }
  int IndexOfRow(int row) const { return rows_[static_cast<size_t>(row)]; }  // into the array
  int RowOfIndex(int index) const;  // -1 when not shown
  int32_t IDOfRow(int row) const;   // -1 for a row that does not exist
  int RowOfID(int32_t id) const;   // -1 when not shown

  int Size() const { return static_cast<int>(entries_.size()); }
  const TContactRecord& At(int index) const { return entries_[static_cast<size_t>(index)].record; }

  // Appends to the array and fills the rows again; the row of the new
  // contact, or -1 when the search hides it.
  int Append(const TContactRecord& contact);
  // The row's contact changed: its texts are rewritten in place, the row
  // keeps its position until the rows are next filled.
  void Replace(int row, const TContactRecord& contact);
  // Drops the row's contact from the array and the row from the list; the
  // other rows keep their contacts and order.
  void RemoveRow(int row);

 private:
  void Refill();
  void SortOrder();

  std::vector<TContactEntry> entries_;
  std::vector<int> order_;  // every array index, sorted
  bool orderValid_ = false;
  std::vector<int> rows_;   // array indices of the shown rows
  std::string search_;
  TContactSearch prepared_;
  int sortColumn_ = kContactColName;
  bool descending_ = false;
};
