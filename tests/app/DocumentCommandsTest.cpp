#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "storage/File.h"
#include "tests/support/RunGarvelctl.h"
#include "tests/support/TempDir.h"

namespace {

std::string ThisYear() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::to_string(local.tm_year + 1900);
}

}  // namespace

// Issuing through garvelctl is issuing through the windows: the number goes
// into the record, the register lists it, and nothing is issued while the
// program holds the database.
TEST(DocumentCommands, IssueListAndRefusalWhileInUse) {
  TTempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(RunGarvelctl("generate --vehicles 2 --records-per-vehicle 2 " + db).status, 0);
  const std::string number = ThisYear() + "0001";

  TCtlRun invoice = RunGarvelctl("invoice " + db + " --record 1 --payment transfer --number " + number);
  ASSERT_EQ(invoice.status, 0) << invoice.out;
  EXPECT_NE(invoice.out.find(number + "\t" + db + "/invoice/" + number + ".html"), std::string::npos) << invoice.out;
  EXPECT_NE(invoice.out.find(number + "\t" + db + "/invoice/" + number + ".PDF"), std::string::npos);
  EXPECT_NE(RunGarvelctl("dump " + db).out.find("\"invoiceNrText\":\"" + number + "\""), std::string::npos);

  TCtlRun again = RunGarvelctl("invoice " + db + " --record 1 --number " + number);
  EXPECT_EQ(again.status, 1);  // the overwrite question is answered "no"
  EXPECT_NE(again.out.find("již existuje"), std::string::npos);

  TCtlRun receipt = RunGarvelctl("receipt " + db + " --record 1");
  ASSERT_EQ(receipt.status, 0) << receipt.out;
  EXPECT_NE(ReadFileBytes(db + "/receipts/1.html").find("<!--PARAM_BEGIN(%INVOICE_NUMBER%)-->" + number),
            std::string::npos);

  TCtlRun list = RunGarvelctl("documents " + db + " invoice");
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find(number + "\t"), std::string::npos) << list.out;
  EXPECT_EQ(RunGarvelctl("documents " + db + " invoice --to 1.1.2000").out, "Číslo\tDatum\tPopis\n");
  // A folder named relative to the current one is the same database, not the
  // program's folder.
  const std::string here = "cd '" + dir.Path() + "' &&";
  EXPECT_NE(RunGarvelctl("documents db invoice", here).out.find(number + "\t"), std::string::npos);
  TCtlRun relative = RunGarvelctl("contract db --record 2", here);
  ASSERT_EQ(relative.status, 0) << relative.out;
  EXPECT_TRUE(PathExists(db + "/contracts/1.html"));

  EXPECT_EQ(RunGarvelctl("invoice " + db + " --record 1 --simple --proforma").status, 2);
  EXPECT_EQ(RunGarvelctl("contract " + db + " --record 999").status, 1);

  TFile held;
  held.Assign(db + "/db_records.dat");
  ASSERT_TRUE(held.Open(TFile::Mode::ReadWrite, true));
  TCtlRun refused = RunGarvelctl("contract " + db + " --record 1");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.out.find("nelze otevřít pro zápis"), std::string::npos) << refused.out;
  EXPECT_FALSE(PathExists(db + "/contracts/2.html"));
}
