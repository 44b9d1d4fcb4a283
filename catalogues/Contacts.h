#pragma once
// The contact list's work without its windows: loading, searching and
// sorting contacts, adding, changing and deleting them in the contact store,
// filling a new contact from clipboard text, and the map look-up address.

#include <string>
#include <vector>

#include "catalogues/ContactFields.h"
#include "catalogues/ContactRecord.h"

class TCustomDb;
class TCustomCarDb;

// The contact with the ID; false when there is no store, the ID is negative
// or the record cannot be read.
bool LoadContact(TCustomDb* customers, int32_t id, TContactRecord& contact);

// Every readable contact of the store, in slot order.
std::vector<TContactRecord> LoadContacts(TCustomDb& customers);

// The search of the list (see ContactMatches in ContactList.h): an empty
// text passes; otherwise the upper-cased text (without spaces, commas and
// slashes) in the phones, or the folded text in the folded display name,
// e-mail or address.
bool ContactMatches(const TContactRecord& contact, const std::string& search);

// Indexes of the contacts that pass the search, sorted by display name
// (Czech order), as the contact list shows them.
std::vector<size_t> FilterContacts(const std::vector<TContactRecord>& contacts, const std::string& search);

// Adds the contact to the store (it gets its ID and globalId). Reports
// "Nepodařilo se uložit záznam do databáze" and returns false on failure.
bool AddContact(TCustomDb& customers, TContactRecord& contact);
// Rewrites the contact in place by ID; the same message on failure.
bool SaveContact(TCustomDb& customers, TContactRecord& contact);

// The question before deleting a contact, listing the vehicles it owns. A
// contact without an ID (the store refused it) owns none: -1 is how a vehicle
// says "no owner".
std::string DeleteContactQuestion(TCustomCarDb& cars, int32_t contactID);
// Asks; on Yes the contact's vehicles lose their owner and the contact is
// erased (a store failure is reported; the list drops the contact anyway). A
// vehicle that cannot be written is reported and the rest goes on.
enum class TContactDelete { Cancelled, Deleted, StoreFailed };
TContactDelete DeleteContact(TCustomDb& customers, TCustomCarDb& cars, TContactRecord& contact);

// Fills company, e-mail, phone, street, city (postcode + city), IČO, DIČ and
// other contact from "key: value" lines: the key is the text before the first
// ":", the value the text after it up to the next ":" without leading
// spaces. The folded key is tested against "JMENO" (company name), "E-MAIL",
// "TELEFON", "ULICE", "MESTO" (city), "PSC" (postcode), "ICO", "DIC" and
// "SERIOVE" (other contact) in that order; the first word it contains
// decides. Other lines are ignored; a later line overwrites an earlier one.
// The city becomes postcode + " " + city (the blank only when both are
// known), empty when neither is.
void FillContactFromText(const std::string& text, TContactFields& fields);
// The same on a record; texts are cut to the record's limits.
void FillContactFromText(const std::string& text, TContactRecord& contact);

// The map look-up address: the folded, URL-encoded address in place of every
// "%ADRESA" of the template.
std::string MapAddress(const std::string& urlTemplate, const std::string& address);

// The order list entry of a supplier: surname, ", " first name, " <e-mail>".
std::string SupplierAddressEntry(const TContactRecord& contact);
