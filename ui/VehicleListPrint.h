#pragma once
// "Tisknout seznam vozidel": the shown rows and columns of the vehicle list.

#include <QImage>

class QPrinter;
class QWidget;
class TVehicleList;

// Asks first when a search text narrows the list; false when the user says
// no. Prints the title "Seznam vozidel" (size 20, centred), two empty lines,
// then the list at size 10.
bool ConfirmVehicleListPrint(const TVehicleList& list);
void PrintVehicleList(const TVehicleList& list, QPrinter& printer, const QImage& printLogo, const QImage& pagePicture);
// The whole command: the question, the print dialogue, the printing.
void PrintVehicleListCommand(const TVehicleList& list, QWidget* parent, const QImage& printLogo,
                             const QImage& pagePicture);
