#include <gtest/gtest.h>

#include "shell/FormToString.h"
#include "storage/Errors.h"

namespace {

// Plain in-memory fields, each implementing only its own kind as a window's
// binding does.
class TTextField : public IFormField {
 public:
  explicit TTextField(std::string name) : name_(std::move(name)) {}
  TKind Kind() const override { return TKind::Text; }
  std::string Name() const override { return name_; }
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override { text = t; }
  std::string text = "old";

 private:
  std::string name_;
};

class TCheckField : public IFormField {
 public:
  explicit TCheckField(std::string name) : name_(std::move(name)) {}
  TKind Kind() const override { return TKind::CheckBox; }
  std::string Name() const override { return name_; }
  bool Checked() const override { return checked; }
  void SetChecked(bool c) override { checked = c; }
  bool checked = true;

 private:
  std::string name_;
};

class TDateField : public IFormField {
 public:
  TDateField(std::string name, bool checkBox) : name_(std::move(name)), checkBox_(checkBox) {}
  TKind Kind() const override { return TKind::DateTime; }
  std::string Name() const override { return name_; }
  TDateTime DateTime() const override { return value; }
  void SetDateTime(TDateTime v) override { value = v; }
  bool HasCheckBox() const override { return checkBox_; }
  bool BoxChecked() const override { return boxChecked; }
  void SetBoxChecked(bool c) override { boxChecked = c; }
  TDateTime value = 1;
  bool boxChecked = false;

 private:
  std::string name_;
  bool checkBox_;
};

class TOtherField : public IFormField {
 public:
  TKind Kind() const override { return TKind::Other; }
  std::string Name() const override { return "trackBar"; }
};

const TDateTime kNow = EncodeDate(2025, 6, 30) + EncodeTime(12, 0, 0);

class FormToStringTest : public testing::Test {
 protected:
  void SetUp() override {
    SetClockForTests([] { return kNow; });
    form.Register(&roundTrip, "roundTrip");
    form.Register(&from);  // under its name
    form.Register(&begin, "beginDate");
    form.Register(&end, "endDate");
  }
  void TearDown() override { SetClockForTests(nullptr); }

  TCheckField roundTrip{"chbRoundTrip"};
  TTextField from{"from"};
  TDateField begin{"dtpBegin", false};
  TDateField end{"dtpEnd", true};
  TFormToString form;
};

}  // namespace

TEST(FormToString, CheckBoxAndEditField) {
  TCheckField roundTrip("chbRoundTrip");
  TTextField from("edFrom");
  from.text = "A|B=C";
  TFormToString form;
  form.Register(&roundTrip, "roundTrip");
  form.Register(&from, "from");
  EXPECT_EQ(form.ToText(), "roundTrip=1|from=A/B:C|");
  EXPECT_EQ(TFormToString().ToText(), "");
}

TEST_F(FormToStringTest, WritesEveryKindOfValue) {
  roundTrip.checked = false;
  from.text = "Praha = Brno";
  begin.value = EncodeDate(2024, 3, 1) + EncodeTime(8, 5, 0);
  end.boxChecked = false;
  EXPECT_EQ(form.ToText(), "roundTrip=0|from=Praha : Brno|beginDate=1.3.2024.8.5|endDate=!|");
  end.boxChecked = true;
  end.value = EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 0);
  EXPECT_EQ(form.ToText(), "roundTrip=0|from=Praha : Brno|beginDate=1.3.2024.8.5|endDate=31.12.2024.23.59|");

  TFormToString broken;
  TOtherField other;
  broken.Register(nullptr, "gone");
  broken.Register(&other);
  EXPECT_EQ(broken.ToText(), "gone=<ERR-No component!>|trackBar=<ERR-Unknown component!>|");
}

TEST_F(FormToStringTest, ReadsBackWhatItWrote) {
  roundTrip.checked = true;
  from.text = "Ostrava";
  begin.value = EncodeDate(2024, 3, 1) + EncodeTime(8, 5, 0);
  end.boxChecked = false;
  const std::string text = form.ToText();

  TCheckField roundTrip2("x");
  TTextField from2("from");
  TDateField begin2("y", false), end2("z", true);
  end2.boxChecked = true;
  TFormToString other;
  other.Register(&roundTrip2, "roundTrip");
  other.Register(&from2);
  other.Register(&begin2, "beginDate");
  other.Register(&end2, "endDate");
  other.FromText(text);
  EXPECT_TRUE(roundTrip2.checked);
  EXPECT_EQ(from2.text, "Ostrava");
  EXPECT_DOUBLE_EQ(begin2.value, begin.value);
  EXPECT_FALSE(end2.boxChecked);
  EXPECT_EQ(other.ToText(), text);
}

TEST_F(FormToStringTest, ClearsFieldsTheTextLeavesOut) {
  form.FromText("from=Brno|");
  EXPECT_FALSE(roundTrip.checked);
  EXPECT_EQ(from.text, "Brno");
  EXPECT_DOUBLE_EQ(begin.value, kNow);
  EXPECT_DOUBLE_EQ(end.value, kNow);
  EXPECT_TRUE(end.boxChecked);

  form.FromText("");
  EXPECT_EQ(from.text, "");
}

TEST_F(FormToStringTest, ReadingRules) {
  // Keys without regard to case; blanks before a field skipped; reading stops
  // at the first empty field; a field without "=" has an empty value.
  form.FromText("ROUNDTRIP=1|  From=a=b|beginDate=2.4.2025.17.30||from=ignored|");
  EXPECT_TRUE(roundTrip.checked);
  EXPECT_EQ(from.text, "a=b");
  EXPECT_DOUBLE_EQ(begin.value, EncodeDate(2025, 4, 2) + EncodeTime(17, 30, 0));
  form.FromText("roundTrip=yes|from");
  EXPECT_FALSE(roundTrip.checked);
  EXPECT_EQ(from.text, "");
  form.FromText("beginDate=!|");  // no check box to mark it empty: stays cleared
  EXPECT_DOUBLE_EQ(begin.value, kNow);
}

TEST_F(FormToStringTest, ProgrammingErrors) {
  for (const char* text : {"unknown=1|", "roundTrip=1|=x|"}) {
    try {
      form.FromText(text);
      ADD_FAILURE() << text;
    } catch (const EAssertionFailed& e) {
      EXPECT_EQ(e.Message(), "Component not found!") << text;
    }
  }
  for (const char* text : {"beginDate=1.3.2024|", "beginDate=1.3.2024.8.5.0|", "beginDate=31.2.2024.8.5|",
                           "beginDate=1.3.2024.24.0|", "beginDate=1.3.2024.8.x|", "beginDate=|",
                           "beginDate=1..2024.8.5|", "beginDate=99999999999.1.2024.8.5|"}) {
    try {
      form.FromText(text);
      ADD_FAILURE() << text;
    } catch (const EAssertionFailed& e) {
      EXPECT_EQ(e.Message(), "Invalid date!") << text;
    }
  }
  EXPECT_THROW(form.Register(&from, "a=b"), EAssertionFailed);
  EXPECT_THROW(form.Register(&from, "a|b"), EAssertionFailed);
  EXPECT_THROW(form.Register(nullptr, ""), EAssertionFailed);

  TFormToString gone;
  gone.Register(nullptr, "gone");
  EXPECT_THROW(gone.FromText("gone=1|"), EAssertionFailed);
}

TEST(FormToString, ValueOf) {
  const std::string text = "roundTrip=1|from=A/B:C| to=Brno=X|from=second|";
  struct Case { const char* key; std::optional<std::string> value; } cases[] = {
      {"FROM", "A/B:C"}, {"to", "Brno=X"}, {"roundtrip", "1"}, {"missing", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TFormToString::ValueOf(text, c.key), c.value) << c.key;
  EXPECT_EQ(TFormToString::ValueOf("a=1||b=2|", "b"), std::nullopt);  // stops at the empty field
}
