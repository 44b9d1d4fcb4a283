#pragma once
// What a document is made of, read from the stores: the record, its vehicle
// and the vehicle's owner; and writing a new document number back into the
// stored record at once.

#include <cstdint>
#include <string>

#include "catalogues/ContactRecord.h"
#include "documents/DocumentStore.h"
#include "storage/CarDb.h"
#include "storage/CustomDb.h"
#include "storage/RecDb.h"

// The contact of that ID; false (and an empty contact) when there is none.
bool ReadOwnerContact(TCustomDb* customers, int32_t id, TContactRecord& contact);

// The record, its vehicle and the owner (an empty contact when the owner
// cannot be read). False with a Czech `error` when the record or its vehicle
// cannot be read.
bool LoadDocumentSubjects(TCustomRecDb& records, TCustomCarDb& cars, TCustomDb* customers, int32_t recordId,
                          Tzaznam& record, Tautomobil& vehicle, TContactRecord& customer, std::string& error);

// Writes the record's number of that kind (both fields) into its stored
// copy, leaving everything else of the stored record as it is. False when
// the record is not stored yet or cannot be written.
bool StoreDocumentNumber(TCustomRecDb& records, const Tzaznam& record, TDocumentKind kind);
