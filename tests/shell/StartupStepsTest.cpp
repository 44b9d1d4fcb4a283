#include <gtest/gtest.h>

#include "shell/StartupSteps.h"
#include "storage/CustomDb.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

TEST(StartupSteps, ProgramPassword) {
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TCustomDb customers;
  customers.Create(VirtualFile("db_customers.dat"), 644, std::string(644, '\0'), "u", "CUS");
  int asked = 0;
  auto wrong = [&](std::string& p) {
    ++asked;
    p = "spatne";
    return true;
  };
  EXPECT_TRUE(CheckProgramPassword(&customers, wrong));  // no password: no question
  EXPECT_EQ(asked, 0);
  ASSERT_TRUE(customers.SetPassword(""));
  EXPECT_TRUE(CheckProgramPassword(&customers, wrong));  // an empty password counts as none
  EXPECT_EQ(asked, 0);
  ASSERT_TRUE(customers.SetPassword("heslo"));
  EXPECT_FALSE(CheckProgramPassword(&customers, wrong));
  EXPECT_EQ(asked, 3);
  int tries = 0;
  EXPECT_TRUE(CheckProgramPassword(&customers, [&](std::string& p) {
    p = ++tries == 3 ? "heslo" : "";
    return tries != 1;  // Storno first, then a wrong one, then right
  }));
  EXPECT_EQ(tries, 3);
}

TEST(StartupSteps, VersionCheckAndBackupSchedules) {
  EXPECT_TRUE(VersionCheckDue(true, 14, 0, 45000));  // a first start checks
  EXPECT_FALSE(VersionCheckDue(true, 14, 44990, 45000));
  EXPECT_TRUE(VersionCheckDue(true, 14, 44986, 45000));
  EXPECT_FALSE(VersionCheckDue(false, 14, 0, 45000));
  EXPECT_FALSE(NewVersionQuestion(3, 63).has_value());
  EXPECT_FALSE(NewVersionQuestion(2, 99).has_value());
  EXPECT_FALSE(NewVersionQuestion(3, 7).has_value());
  EXPECT_EQ(NewVersionQuestion(3, 64).value_or(""),
            "K dispozici je nová verze programu (3.64). Chcete navštívit stránku se stahováním?");
  EXPECT_EQ(NewVersionQuestion(4, 5).value_or(""),
            "K dispozici je nová verze programu (4.05). Chcete navštívit stránku se stahováním?");
  EXPECT_TRUE(NewVersionQuestion(4, 0).has_value());

  int32_t last = 0;
  EXPECT_FALSE(BackupDue(true, 14, last, 45000));  // missing: set to today, first backup later
  EXPECT_EQ(last, 45000);
  EXPECT_TRUE(BackupDue(true, 14, last, 45014));
  EXPECT_FALSE(BackupDue(false, 14, last, 45100));
}

TEST(StartupSteps, SettingTheAccessPassword) {
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TCustomDb customers;
  customers.Create(VirtualFile("db_customers.dat"), 644, std::string(644, '\0'), "u", "CUS");
  std::vector<std::string> answers;
  std::vector<std::string> captions;
  auto ask = [&](const std::string& caption, std::string& p) {
    captions.push_back(caption);
    if (answers.empty()) return false;
    p = answers.front();
    answers.erase(answers.begin());
    return true;
  };
  notifier.Script({TMsgAnswer::No});
  SetAccessPassword(customers, ask);
  EXPECT_TRUE(captions.empty());

  notifier.Script({TMsgAnswer::Yes});
  answers = {"heslo", "jine"};
  SetAccessPassword(customers, ask);
  EXPECT_EQ(notifier.shown.back().text, "Hesla se neshodují");
  EXPECT_TRUE(customers.CheckPassword(""));

  notifier.Script({TMsgAnswer::Yes});
  answers = {"heslo", "heslo"};
  SetAccessPassword(customers, ask);
  EXPECT_EQ(notifier.shown.back().text, "Ochrana heslem byla aktivována");
  EXPECT_TRUE(customers.CheckPassword("heslo"));

  captions.clear();
  answers = {"spatne"};
  SetAccessPassword(customers, ask);
  EXPECT_EQ(captions, (std::vector<std::string>{"Zadejte stávající heslo"}));
  EXPECT_EQ(notifier.shown.back().text, "Nesprávné heslo");

  answers = {"heslo", ""};
  SetAccessPassword(customers, ask);
  EXPECT_EQ(notifier.shown.back().text, "Ochrana heslem byla deaktivována");
  EXPECT_TRUE(customers.CheckPassword(""));

  // A store that cannot be written says so instead of reporting success.
  customers.Close();
  TCustomDb readOnly;
  readOnly.Create(VirtualFile("db_customers.dat"), 644, std::string(644, '\0'), "u", "CUS", true);
  notifier.Script({TMsgAnswer::Yes});
  answers = {"heslo", "heslo"};
  SetAccessPassword(readOnly, ask);
  EXPECT_EQ(notifier.shown.back().caption, "Chyba");
  EXPECT_EQ(notifier.shown.back().text, "Heslo se nepodařilo uložit.");
  EXPECT_TRUE(readOnly.CheckPassword(""));
}
