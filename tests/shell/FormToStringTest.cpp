#include <gtest/gtest.h>

#include "shell/FormToString.h"
#include "storage/Errors.h"

namespace {

class TField : public IFormField {
 public:
  TField(TKind kind, std::string name, bool useBox = false) : kind_(kind), name_(std::move(name)), useBox_(useBox) {}
  TKind Kind() const override { return kind_; }
  std::string Name() const override { return name_; }
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override { text = t; }
  bool Checked() const override { return checked; }
  void SetChecked(bool c) override { checked = c; }
  TDateTime Value() const override { return value; }
  void SetValue(TDateTime v) override { value = v; }
  bool HasUseBox() const override { return useBox_; }
  bool Used() const override { return used; }
  void SetUsed(bool u) override { used = u; }

  std::string text;
  bool checked = false;
  TDateTime value = 0;
  bool used = true;

 private:
  TKind kind_;
  std::string name_;
  bool useBox_;
};

}  // namespace

TEST(FormToString, TextAndBack) {
  TField round(IFormField::TKind::CheckBox, "chbRoundTrip"), from(IFormField::TKind::Text, "cbFrom");
  TField begin(IFormField::TKind::DateTime, "dtpBeginDate"), time(IFormField::TKind::DateTime, "dtpBeginTime", true);
  round.checked = true;
  from.text = "A|B=C";
  begin.value = EncodeDate(2024, 3, 1) + EncodeTime(8, 5, 0);
  time.used = false;
  TFormToString form;
  form.Register(&round, "roundTrip");
  form.Register(&from, "from");
  form.Register(&begin, "beginDate");
  form.Register(&time, "beginTime");
  std::string text = form.ToText();
  EXPECT_EQ(text, "roundTrip=1|from=A/B:C|beginDate=1.3.2024.8.5|beginTime=!|");

  round.checked = false;
  from.text = "x";
  time.used = true;
  form.FromText("ROUNDTRIP=1| from=Praha|beginDate=2.4.2025.17.30|beginTime=!||from=ignored");
  EXPECT_TRUE(round.checked);
  EXPECT_EQ(from.text, "Praha");
  EXPECT_DOUBLE_EQ(begin.value, EncodeDate(2025, 4, 2) + EncodeTime(17, 30, 0));
  EXPECT_FALSE(time.used);

  std::string value;
  EXPECT_TRUE(TFormToString::ValueOf(text, "FROM", value));
  EXPECT_EQ(value, "A/B:C");
  EXPECT_FALSE(TFormToString::ValueOf(text, "to", value));

  EXPECT_THROW(form.FromText("unknown=1|"), EAssertionFailed);
  EXPECT_THROW(form.FromText("beginDate=1.3.2024|"), EAssertionFailed);
  EXPECT_THROW(form.Register(&from, "a=b"), EAssertionFailed);
  TFormToString broken;
  broken.Register(nullptr, "gone");
  TField odd(IFormField::TKind::Unknown, "odd");
  broken.Register(&odd);
  EXPECT_EQ(broken.ToText(), "gone=<ERR-No component!>|odd=<ERR-Unknown component!>|");
}
