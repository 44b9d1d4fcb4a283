#pragma once
// The records window's document services: the invoice, job-sheet and receipt
// windows on a record.

#include "ui/AutoFormServices.h"

void AddDocumentServices(TRecordWindowServices& services);
