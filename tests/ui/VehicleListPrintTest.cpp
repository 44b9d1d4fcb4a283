#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinter>

#include "shell/VehicleList.h"
#include "storage/CarDb.h"
#include "tests/support/PdfText.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/VehicleListPrint.h"

TEST(VehicleListPrint, PrintsTitleCaptionsAndShownRowsToPdf) {
  TestApplication();
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TCustomCarDb cars;
  cars.Create("<username>");
  for (const char* plate : {"1A2 3456", "2B3 4567", "3C4 5678"}) {
    Tautomobil v;
    InitVehicle(v);
    v.tag = plate;
    v.manufacturer = "Škoda";
    v.model = plate[0] == '2' ? "Fabia" : "Octavia";
    cars.CreateCar(v, "");
  }
  TVehicleList list;
  list.Load(cars, nullptr, Today);
  TVehicleFilter f;
  f.search = "octavia";
  list.SetFilter(f);

  notifier.Script({TMsgAnswer::No});
  EXPECT_FALSE(ConfirmVehicleListPrint(list));
  EXPECT_EQ(notifier.shown.back().caption, "Tisk");

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = fs.dir / "list.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf));
  PrintVehicleList(list, printer, QImage(), QImage());
  std::string text = PdfText(pdf);
  EXPECT_NE(text.find("Seznam vozidel"), std::string::npos) << text;
  EXPECT_NE(text.find("Značka, typ"), std::string::npos) << text;
  EXPECT_NE(text.find("1A2 3456"), std::string::npos) << text;
  EXPECT_EQ(text.find("2B3 4567"), std::string::npos) << text;  // filtered out
  EXPECT_EQ(text.find("customerID"), std::string::npos) << text;  // a hidden column
  EXPECT_NE(text.find("Seznam vozidel Str. 1"), std::string::npos) << text;
}
