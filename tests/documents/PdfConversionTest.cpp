#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "documents/DocumentBuilder.h"
#include "documents/DocumentPictures.h"
#include "documents/PdfConversion.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/DocumentFixture.h"

namespace {

namespace sfs = std::filesystem;

std::string Capture(const std::string& program, const std::vector<std::string>& args) {
  TSpawnedProgram p;
  if (!p.Start(program, args, "")) return "<not started>";
  p.Wait();
  return p.Result().output;
}

bool HaveProgram(const char* name, const char* versionOption) {
  TSpawnedProgram p;
  return p.Start(name, {versionOption}, "") && (p.Wait(), p.Result().exitCode == 0);
}

using TPdfTest = TDocumentTest;

TEST(PdfConversion, ScaleAndArguments) {
  struct TCase {
    const char* block;
    const char* zoom;
  };
  const TCase cases[] = {{"1.5", "1.50"}, {"x", "2.00"}, {"1,5", "2.00"}, {"0", "0.01"}, {"1000", "100.00"},
                         {"&bad", "2.00"}, {nullptr, "2.00"}};
  for (const TCase& c : cases) {
    std::string doc = c.block ? "<!--PARAM_BEGIN(%PDF_SCALE%)-->" + std::string(c.block) + "<!--PARAM_END-->" : "";
    EXPECT_EQ(ScaleArgument(PdfScale(doc)), c.zoom) << (c.block ? c.block : "none");
  }
  const std::string weird = "/tmp/a b/\"q\" $(touch x) `id` %DST%.html";
  std::vector<std::string> args =
      ConverterArguments("-s A4 --zoom %SCALE% %SRC% %DST%", weird, "/out/x.pdf", 1.5, {"/pics/"});
  const std::vector<std::string> expected = {"--disable-javascript", "--encoding", "windows-1250", "-T", "10mm", "-B",
                                             "10mm", "-L", "12mm", "-R", "12mm", "--allow", "/pics/", "-s", "A4",
                                             "--zoom", "1.50", weird, "/out/x.pdf"};
  EXPECT_EQ(args, expected);
}

TEST_F(TPdfTest, ConversionReplacesThePdfOnlyWithAPdf) {
  WriteData("invoice/1.html", "<p>x</p><!--PARAM_BEGIN(%PDF_SCALE%)-->1.5<!--PARAM_END-->");
  WriteFileBytes(Dir() + "invoice/1.PDF", "%PDF old");
  ASSERT_TRUE(ConvertToPdf(VirtualFile("invoice\\1.PDF"), VirtualFile("invoice\\1.html")));
  ASSERT_EQ(converter.runs.size(), 1u);
  const std::vector<std::string>& args = converter.runs[0].arguments;
  EXPECT_EQ(converter.runs[0].program, "wkhtmltopdf");  // no converter of our own: the one on PATH
  EXPECT_EQ(args[args.size() - 2], Dir() + "invoice/1.html");
  EXPECT_EQ(args[args.size() - 3], "1.50");
  EXPECT_EQ(args.back().rfind(Dir() + "invoice/.1.PDF.", 0), 0u);  // written under a hidden name
  EXPECT_EQ(ReadFileBytes(Dir() + "invoice/1.PDF"), converter.writes);
  EXPECT_FALSE(PathExists(args.back()));

  struct TCase {
    const char* what;
    bool start;
    std::string writes;
  };
  const TCase failures[] = {{"not a PDF", true, "<html>"}, {"empty", true, ""}, {"not started", false, ""}};
  for (const TCase& c : failures) {
    WriteFileBytes(Dir() + "invoice/1.PDF", "%PDF old");
    notifier.shown.clear();
    converter.start = c.start;
    converter.writes = c.writes;
    EXPECT_FALSE(ConvertToPdf(VirtualFile("invoice\\1.PDF"), VirtualFile("invoice\\1.html"))) << c.what;
    EXPECT_EQ(ReadFileBytes(Dir() + "invoice/1.PDF"), "%PDF old") << c.what;
    ASSERT_EQ(notifier.shown.size(), 1u) << c.what;
    EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  }
  EXPECT_EQ(notifier.shown[0].text, "Chyba při spouštění externího programu! (wkhtmltopdf)");

  // A converter of our own among the data wins.
  WriteFileBytes(Dir() + "utility/wkhtmltopdf/wkhtmltopdf", "#!/bin/sh\n");
  chmod((Dir() + "utility/wkhtmltopdf/wkhtmltopdf").c_str(), 0755);
  EXPECT_EQ(ConverterProgram(), Dir() + "utility/wkhtmltopdf/wkhtmltopdf");
}

TEST_F(TPdfTest, ShowDocumentPrefersThePdf) {
  WriteData("invoice/5.html", "x");
  EXPECT_TRUE(ShowDocument(VirtualFile("invoice\\5.html")));
  WriteFileBytes(Dir() + "invoice/5.PDF", "%PDF");
  EXPECT_TRUE(ShowDocument(VirtualFile("invoice\\5.html")));
  EXPECT_EQ(desktop.documents, (std::vector<std::string>{Dir() + "invoice/5.html", Dir() + "invoice/5.PDF"}));

  EXPECT_FALSE(ShowDocument(VirtualFile("invoice\\6.html")));
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Soubor \"" + Dir() + "invoice/6.html\" neexistuje");
  desktop.accept = false;
  EXPECT_FALSE(ShowDocument(VirtualFile("invoice\\5.html")));
  EXPECT_EQ(notifier.shown.back().text, "Chyba při spouštění externího programu! (" + Dir() + "invoice/5.PDF)");
}

TEST(ProgramRunner, ArgumentVectorAndOutput) {
  EXPECT_EQ(Capture("/bin/echo", {"a b", "$(x)", "`y`", "\"z\""}), "a b $(x) `y` \"z\"\n");
  TSpawnedProgram missing;
  EXPECT_FALSE(missing.Start("/no/such/program", {}, ""));
  TSpawnedProgram failing;
  ASSERT_TRUE(failing.Start("/bin/sh", {"-c", "echo oops >&2; exit 3"}, "/"));
  failing.Wait();
  EXPECT_EQ(failing.Result().exitCode, 3);
  EXPECT_EQ(failing.Result().output, "oops\n");
  TSpawnedProgram sleeping;
  ASSERT_TRUE(sleeping.Start("sleep", {"30"}, ""));
  EXPECT_FALSE(sleeping.Poll());
  sleeping.Terminate();
  EXPECT_FALSE(sleeping.Running());
  EXPECT_FALSE(sleeping.Result().exitCode == 0);
}

// One real conversion of the shipped invoice, read back as text and images.
TEST_F(TPdfTest, RealConversionOfTheShippedInvoice) {
  if (!HaveProgram("wkhtmltopdf", "--version") || !HaveProgram("pdftotext", "-v")) GTEST_SKIP() << "wkhtmltopdf or poppler missing";
  SetProgramRunner(nullptr);
  InstallShippedData();
  // Folder names a shell would act on must reach the converter as they are.
  const std::string pictures = Dir() + "obrázky $(touch pwned) `id` \"q\"/";
  sfs::create_directories(pictures);
  sfs::copy(sfs::path(GARVEL_SOURCE_DATA_DIR) / "images" / "testlogo.jpg", pictures + "logo.jpg");
  Config().bgprint = pictures + "logo.jpg";
  Config().bgsignature = pictures + "chybí.jpg";  // missing: the blank picture stands in

  Tautomobil vehicle;
  InitVehicle(vehicle);
  vehicle.manufacturer = "Škoda";
  vehicle.model = "Octavia";
  vehicle.tag = "1A2 3456";
  TContactRecord customer;
  InitContact(customer);
  customer.surname = "Dvořák";
  customer.firstName = "Jiří";
  Tzaznam record = RecordWithItems({Item(kItemActivity, 200, 1.5, "Výměna brzdových destiček"),
                                    Item(kItemMaterial, 250, 4, "Kotouč"), Item(kItemMaterial, 180.40, 1, "Čistič")});
  TDocumentInfo info;
  LoadDocumentInfo(info, "");
  info.DocumentNumber = "20260001";
  AddParameter(info.Parameters, "%INVOICE_TYPE%", "Faktura – daňový doklad č.", pfUnmarked);
  sfs::create_directories(Dir() + "invoice");
  TTemplateSet t = InvoiceTemplates();
  ASSERT_TRUE(BuildDocument(t.page, t.labourRow, t.materialRow, record, customer, vehicle, info,
                            VirtualFile("invoice\\20260001.html"), t.footer, t.header));
  EXPECT_TRUE(notifier.shown.empty()) << notifier.shown[0].text;
  const std::string pdf = Dir() + "invoice/20260001.PDF";
  ASSERT_TRUE(PathExists(pdf));
  std::string text = Capture("pdftotext", {"-layout", pdf, "-"});
  for (const char* expected : {"Faktura – daňový doklad č.", "20260001", "Autoservis Novák", "Dvořák, Jiří",
                               "Výměna brzdových destiček", "Kotouč", "Čistič", "1480,17", "310,83", "1791,00 Kč",
                               "jedentisícsedmsetdevadesát"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_EQ(text.find("%SUP_"), std::string::npos);
  EXPECT_FALSE(PathExists(Dir() + "pwned"));
  if (HaveProgram("pdfimages", "-v")) {
    std::string images = Capture("pdfimages", {"-list", pdf});
    EXPECT_NE(images.find(" 320    90 "), std::string::npos) << images;  // the logo, not a broken-image icon
  }
}

}  // namespace
