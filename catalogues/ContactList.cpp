#include "catalogues/ContactList.h"

#include <algorithm>

#include "catalogues/Contacts.h"
#include "storage/Codec.h"
#include "storage/Collation.h"
#include "storage/TextUtils.h"

namespace {

std::string WithoutPhoneSeparators(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != ',' && c != '/') out.push_back(c);
  return out;
}

}  // namespace

const char* ContactColumnCaption(int column) {
  static const char* const kCaptions[kContactColumnCount] = {"Jméno", "Adresa", "telefon", "e-mail"};
  return kCaptions[column];
}

TContactEntry MakeContactEntry(const TContactRecord& contact) {
  TContactEntry e;
  e.record = contact;
  e.columns[kContactColName] = CustomerDisplayName(contact);
  e.columns[kContactColAddress] = ContactAddressText(contact);
  e.columns[kContactColPhone] = contact.phones;
  e.columns[kContactColEmail] = contact.email;
  e.foldedName = FoldText(e.columns[kContactColName]);
  e.foldedEmail = FoldText(contact.email);
  e.foldedAddress = FoldText(e.columns[kContactColAddress]);
  e.phoneDigits = WithoutPhoneSeparators(contact.phones);
  return e;
}

TContactSearch PrepareContactSearch(std::string_view text) {
  TContactSearch s;
  std::string bytes = Utf8ToCp1250(text);
  for (char& c : bytes) c = static_cast<char>(Cp1250Upper(static_cast<unsigned char>(c)));
  s.upper = Cp1250ToUtf8(bytes);
  s.folded = FoldText(s.upper);
  s.phone = WithoutPhoneSeparators(s.upper);
  return s;
}

bool ContactMatches(const TContactEntry& e, const TContactSearch& s) {
  if (s.upper.empty()) return true;
  // A search of only separators says nothing about a phone number.
  if (!s.phone.empty() && e.phoneDigits.find(s.phone) != std::string::npos) return true;
  return e.foldedName.find(s.folded) != std::string::npos || e.foldedEmail.find(s.folded) != std::string::npos ||
         e.foldedAddress.find(s.folded) != std::string::npos;
}

void TContactList::Load(TCustomDb& store) { SetContacts(LoadContacts(store)); }

void TContactList::SetContacts(std::vector<TContactRecord> contacts) {
  entries_.clear();
  entries_.reserve(contacts.size());
  for (const TContactRecord& c : contacts) entries_.push_back(MakeContactEntry(c));
  orderValid_ = false;
  Refill();
}

void TContactList::SetSearch(std::string_view text) {
  search_ = std::string(text);
  prepared_ = PrepareContactSearch(text);
  Refill();
}

void TContactList::SortBy(int column) {
  if (column < 0 || column >= kContactColumnCount) return;
  if (column == sortColumn_) {
    descending_ = !descending_;
  } else {
    sortColumn_ = column;
    descending_ = false;
  }
  orderValid_ = false;
  Refill();
}

void TContactList::SortOrder() {
  std::vector<std::string> keys(entries_.size());
  for (size_t i = 0; i < entries_.size(); ++i)
    keys[i] = CzechSortKey(entries_[i].columns[static_cast<size_t>(sortColumn_)]);
  order_.resize(entries_.size());
  for (size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
  std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
    const std::string& ka = keys[static_cast<size_t>(a)];
    const std::string& kb = keys[static_cast<size_t>(b)];
    return descending_ ? kb < ka : ka < kb;
  });
  orderValid_ = true;
}

void TContactList::Refill() {
  if (!orderValid_) SortOrder();
  rows_.clear();
  for (int index : order_)
    if (ContactMatches(entries_[static_cast<size_t>(index)], prepared_)) rows_.push_back(index);
}

int32_t TContactList::IDOfRow(int row) const {
  return row >= 0 && row < RowCount() ? Row(row).record.ID : -1;
}

int TContactList::RowOfIndex(int index) const {
  auto it = std::find(rows_.begin(), rows_.end(), index);
  return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

int TContactList::RowOfID(int32_t id) const {
  for (int row = 0; row < RowCount(); ++row)
    if (Row(row).record.ID == id) return row;
  return -1;
}

int TContactList::Append(const TContactRecord& contact) {
  entries_.push_back(MakeContactEntry(contact));
  const int index = static_cast<int>(entries_.size()) - 1;
  orderValid_ = false;
  Refill();
  return RowOfIndex(index);
}

void TContactList::Replace(int row, const TContactRecord& contact) {
  if (row < 0 || row >= RowCount()) return;
  entries_[static_cast<size_t>(rows_[static_cast<size_t>(row)])] = MakeContactEntry(contact);
  orderValid_ = false;
}

void TContactList::RemoveRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  const int index = rows_[static_cast<size_t>(row)];
  entries_.erase(entries_.begin() + index);
  rows_.erase(rows_.begin() + row);
  // Later elements moved down by one.
  for (int& r : rows_)
    if (r > index) --r;
  if (orderValid_) {
    order_.erase(std::find(order_.begin(), order_.end(), index));
    for (int& o : order_)
      if (o > index) --o;
  }
}
