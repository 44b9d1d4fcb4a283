#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "shell/Config.h"
#include "shell/IniFile.h"
#include "storage/NumberText.h"
#include "storage/PriceRounding.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

TEST(Config, FirstStartRunsOnDefaultsAndCreatesNoFile) {
  TTestFileSystems fs;
  TConfig c;
  LoadDefaults(c);
  LoadConfig(c);
  EXPECT_EQ(c.usersubj, "Servis");
  EXPECT_EQ(c.ordertext, "S pozdravem\r\njá");
  EXPECT_EQ(c.bgcolor, 1803748);
  EXPECT_DOUBLE_EQ(c.taxrate, 21);
  EXPECT_EQ(c.currency, "kč");
  EXPECT_EQ(c.invoicename, "Faktura – daňový doklad č.");
  EXPECT_EQ(c.userName, "<username>");
  EXPECT_EQ(c.lastupdate, 0);
  EXPECT_EQ(c.edition, 1);
  EXPECT_FALSE(IsCustomerEdition());
  EXPECT_NE(c.custmailtext.find("Vůz: %ZNACKA, %SPZ\r\n"), std::string::npos);
  EXPECT_FALSE(PathExists(fs.dir / "garvconf.ini"));
}

TEST(Config, EveryTypeRoundTripsThroughTheFile) {
  TTestFileSystems fs;
  TConfig c;
  LoadDefaults(c);
  c.usersubj = "Servis – připomínka";
  c.ordertext = "Řádek 1\r\nŘádek 2";
  c.autosend = true;
  c.taxpaid = false;
  c.odaysretro = 45;
  c.roundto = 0.5;
  c.taxrate = 12.5;
  c.bgmain = "/home/dilna/obrázky/pozadí.jpg";
  c.bankName[3] = "Banka 4";
  c.autoSendDisallowed = true;
  ASSERT_TRUE(SaveConfig(c));
  std::string bytes = ReadFileBytes(fs.dir / "garvconf.ini");
  EXPECT_NE(bytes.find("ordertext=\xD8\xE1\x64\x65k 1%0D%0A\xD8\xE1\x64\x65k 2\r\n"), std::string::npos);  // CP1250
  EXPECT_NE(bytes.find("roundto=0,5\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("bankName3=Banka 4\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("lastupdate"), std::string::npos);  // written by the check itself

  TConfig back;
  LoadDefaults(back);
  LoadConfig(back);
  EXPECT_EQ(back.usersubj, c.usersubj);
  EXPECT_EQ(back.ordertext, c.ordertext);
  EXPECT_TRUE(back.autosend);
  EXPECT_FALSE(back.taxpaid);
  EXPECT_EQ(back.odaysretro, 45);
  EXPECT_DOUBLE_EQ(back.roundto, 0.5);
  EXPECT_DOUBLE_EQ(back.taxrate, 12.5);
  EXPECT_EQ(back.bgmain, c.bgmain);
  EXPECT_EQ(back.bankName[3], "Banka 4");
  EXPECT_TRUE(back.autoSendDisallowed);
  EXPECT_DOUBLE_EQ(GetPriceRounding().step, 0.5);  // published to the data model
  SetPriceRounding({});
  SetCurrencyText("kč");
}

TEST(Config, DamagedFileGivesDefaultsAndKeepsOtherKeys) {
  TTestFileSystems fs;
  WriteFileBytes(fs.dir / "garvconf.ini",
                 "[records]\r\ntaxrate=abc\r\nhourrate=350,5\r\ngarbage line\r\nfuture=42\r\n[updates]\r\nlastupdate=45000\r\nupdateperiod=");
  TConfig c;
  LoadDefaults(c);
  LoadConfig(c);
  EXPECT_DOUBLE_EQ(c.taxrate, 0);  // what could be read of a malformed number: nothing
  EXPECT_DOUBLE_EQ(c.hourrate, 350.5);
  EXPECT_EQ(c.lastupdate, 45000);
  EXPECT_EQ(c.updateperiod, 14);  // an empty value: the default
  c.hourrate = 400;
  ASSERT_TRUE(SaveConfig(c));
  std::string bytes = ReadFileBytes(fs.dir / "garvconf.ini");
  EXPECT_NE(bytes.find("future=42\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("garbage line\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("lastupdate=45000\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("hourrate=400\r\n"), std::string::npos);
}

TEST(Config, MalformedIntegersAndFlagsGiveWhatCouldBeRead) {
  struct Case { const char* text; int want; } cases[] = {
      {"14", 14}, {"21 dní", 21}, {"+7", 7}, {"-3x", -3}, {"abc", 0}, {"1,5", 1},
      {"0x10", 0}, {"-2147483648", INT_MIN}, {"99999999999", 5}, {"", 5},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text, 5), c.want) << c.text;

  TTestFileSystems fs;
  WriteFileBytes(fs.dir / "garvconf.ini",
                 "[updates]\r\nupdateperiod=30 dní\r\nautoupdate=ne\r\n"
                 "[serviceinfo]\r\nautoopen=1 (ano)\r\nkmcalcmonths=x\r\n");
  WriteFileBytes(fs.dir / "install_type.ini", "[InstallType]\r\nType=0;zákazník\r\n");
  TConfig c;
  LoadDefaults(c);
  LoadConfig(c);
  EXPECT_EQ(c.updateperiod, 30);
  EXPECT_FALSE(c.autoupdate);  // nothing readable: 0, not the default 1
  EXPECT_TRUE(c.autoopen);
  EXPECT_EQ(c.kmcalcmonths, 0);
  EXPECT_EQ(c.edition, 0);
}

TEST(Config, SingleKeysEditionAndCustomIntegers) {
  TTestFileSystems fs;
  EXPECT_EQ(ReadIniText("backup", "dstFolder", "x"), "x");
  ASSERT_TRUE(WriteIniText("backup", "dstFolder", "/media/zaloha"));
  ASSERT_TRUE(WriteCustomInteger("columnMask", 5));
  EXPECT_EQ(ReadIniText("Backup", "DSTFOLDER", ""), "/media/zaloha");
  EXPECT_EQ(ReadCustomInteger("columnMask", 0), 5);
  TConfig c;
  LoadDefaults(c);
  LoadConfig(c);
  EXPECT_EQ(c.columnMask, 7);  // bit 1 always added
  EXPECT_EQ(c.dstFolder, "/media/zaloha");
  WriteFileBytes(fs.dir / "install_type.ini", "[InstallType]\r\nType=0\r\n");
  LoadConfig(Config());
  EXPECT_TRUE(IsCustomerEdition());
  LoadDefaults(Config());
}

TEST(IniFile, KeysAndSectionsKeepTheirPlaces) {
  TIniFile ini;
  ini.Parse("; comment\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny = 2 \r\n");
  EXPECT_EQ(ini.Get("b", "Y", ""), "2");
  ini.Set("A", "z", "3");
  ini.Set("C", "w", "4");
  ini.Set("A", "x", "5");
  EXPECT_EQ(ini.Text(), "; comment\r\n[A]\r\nx=5\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
  EXPECT_EQ(IniUnescapeLines(IniEscapeLines("a\r\nb")), "a\r\nb");
  EXPECT_EQ(IniNumber(0.5), "0,5");
  EXPECT_DOUBLE_EQ(ParseIniNumber("0.5", 1), 0.5);
}

TEST(Config, NumbersTypedInTheWindow) {
  EXPECT_DOUBLE_EQ(RoundingStepFromText("0,5"), 0.5);
  EXPECT_DOUBLE_EQ(RoundingStepFromText("0"), 0.0001);
  EXPECT_DOUBLE_EQ(RoundingStepFromText(""), 0.0001);
  EXPECT_DOUBLE_EQ(SettingsNumber("21,5"), 21.5);
  EXPECT_DOUBLE_EQ(SettingsNumber(""), 0);
}

TEST(Config, NumbersKeepFixedNotationInTheFile) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0.5, "0,5"}, {0, "0"}, {-0.0, "0"}, {21, "21"}, {0.00001, "0,00001"}, {1234567.25, "1234567,25"}, {-3.5, "-3,5"}};
  for (const auto& c : cases) {
    EXPECT_EQ(IniNumber(c.value), c.text);
    EXPECT_DOUBLE_EQ(ParseIniNumber(c.text, 99), c.value) << c.text;
  }
  EXPECT_EQ(SettingsInteger("2,6"), 3);
  EXPECT_EQ(SettingsInteger(""), 0);
  EXPECT_EQ(SettingsInteger("99999999999"), INT_MAX);
}

TEST(Config, FileCutShortByACrash) {
  TTestFileSystems fs;
  // A crash may leave a tail of NUL bytes or a number too long for its field.
  WriteFileBytes(fs.dir / "garvconf.ini",
                 std::string("[background]\r\nbgcolor=99999999999\r\n[records]\r\nhourrate=350,5") + std::string(64, '\0'));
  TConfig c;
  LoadDefaults(c);
  LoadConfig(c);
  EXPECT_EQ(c.bgcolor, 1803748);
  EXPECT_DOUBLE_EQ(c.hourrate, 350.5);
  ASSERT_TRUE(SaveConfig(c));
  std::string bytes = ReadFileBytes(fs.dir / "garvconf.ini");
  EXPECT_EQ(bytes.find('\0'), std::string::npos);
  EXPECT_NE(bytes.find("hourrate=350,5\r\n"), std::string::npos);
}

TEST(Config, AnUnreadableFileIsNeverReplaced) {
  TTestFileSystems fs;
  // A link to something that cannot be read as a file: saving must not go
  // ahead with only the keys it writes, nor replace the link.
  std::filesystem::create_directory(fs.dir / "elsewhere");
  std::filesystem::create_directory_symlink(fs.dir / "elsewhere", fs.dir / "garvconf.ini");
  TConfig c;
  LoadDefaults(c);
  EXPECT_FALSE(SaveConfig(c));
  EXPECT_FALSE(WriteIniText("backup", "dstFolder", "/media"));
  EXPECT_TRUE(std::filesystem::is_symlink(fs.dir / "garvconf.ini"));
}

TEST(IniFile, SavingThroughALinkWritesItsTarget) {
  TTestFileSystems fs;
  WriteFileBytes(fs.dir / "real.ini", "[A]\r\nx=1\r\n");
  std::filesystem::create_symlink(fs.dir / "real.ini", fs.dir / "garvconf.ini");
  ASSERT_TRUE(WriteIniText("A", "y", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(fs.dir / "garvconf.ini"));
  EXPECT_EQ(ReadFileBytes(fs.dir / "real.ini"), "[A]\r\nx=1\r\ny=2\r\n");
}
