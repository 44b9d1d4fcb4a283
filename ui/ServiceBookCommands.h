#pragma once
// The records window's print-out ("Tisknout vybraný záznam", "Tisknout
// všechny záznamy"), text export ("Uložit jako text") and sending
// ("Odeslat e-mailem").

#include <QImage>
#include <functional>

#include "ui/AutoFormServices.h"

class QPrinter;

// Prints the view after the printer dialog; a cancelled dialog prints
// nothing.
void PrintServiceBookCommand(QWidget* parent, const TServiceBookView& view, bool selectedOnly,
                             const QImage& printLogo, const QImage& pagePicture);
// The same on a printer already chosen (tests print to PDF).
void PrintServiceBookTo(QPrinter& printer, const TServiceBookView& view, bool selectedOnly, const QImage& printLogo,
                        const QImage& pagePicture);
// Asks what goes along ("Majiteli", "Vozidle"), then uploads and mails.
void SendRecordCommand(QWidget* parent, const TServiceBookView& view);

// Fills the three members of the records window's services. The pictures
// are asked for at each print-out: the settings may change them.
void AddServiceBookServices(TRecordWindowServices& services, std::function<QImage()> printLogo,
                            std::function<QImage()> pagePicture);
