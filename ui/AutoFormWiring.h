#pragma once
// The records window's services from the program's windows and stores: the
// record, refuelling and trip editors, the vehicle, comments and
// parts-order windows, the contact chooser and editor, and a mail draft for
// the owner. Printing, text export, sending and attachments are added where
// their windows are wired; the main list's refreshers by the program.

#include <QImage>

#include "ui/AutoFormServices.h"

class QWidget;
struct TStoreSet;

// The stores must outlive every use of the result; `parent` owns the
// dialogs the services open; the owner chooser shows `contactsBackground`.
TRecordWindowServices RecordWindowServicesFor(TStoreSet& stores, QWidget* parent,
                                              const QImage& contactsBackground = {});
