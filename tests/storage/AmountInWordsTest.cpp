#include <gtest/gtest.h>

#include "storage/AmountInWords.h"

TEST(AmountInWords, Table) {
  struct Case { double value; const char* words; } cases[] = {
      {0, "nula"}, {-5, "nula"}, {0.5, "nula"}, {0.51, "jeden"}, {1.5, "dva"}, {2.5, "dva"}, {3.5, "čtyři"},
      {1, "jeden"}, {2, "dva"}, {19, "devatenáct"}, {20, "dvacet"}, {21, "dvacetjeden"}, {42, "čtyřicetdva"},
      {100, "sto"}, {101, "stojeden"}, {119, "stodevatenáct"}, {200, "dvěstě"}, {999, "devětsetdevadesátdevět"},
      {1000, "jedentisíc"}, {1001, "jedentisícjeden"}, {1250, "jedentisícdvěstěpadesát"}, {2000, "dvatisíce"},
      {4000, "čtyřitisíce"}, {5000, "pěttisíc"}, {11000, "jedenácttisíc"}, {20000, "dvacettisíc"},
      {21000, "dvacetjedentisíc"}, {22000, "dvacetdvatisíc"}, {25000, "dvacetpěttisíc"},
      {101000, "stojedentisíc"}, {999999, "devětsetdevadesátdevěttisícdevětsetdevadesátdevět"},
      {1e6, "jedenmilion"}, {1000001, "jedenmilionjeden"}, {2e6, "dvamiliony"}, {5e6, "pětmilionů"},
      {21e6, "dvacetjedenmilionů"}, {3e6, "třimiliony"}, {100000, "stotisíc"}, {1e9, "jednamiliarda"}, {2e9, "dvěmiliardy"}, {5e9, "pětmiliard"},
      {21e9, "dvacetjednamiliard"}, {22e9, "dvacetdvěmiliard"}, {12e9, "dvanáctmiliard"}, {1e12, "jedenbilion"}, {2e12, "dvabiliony"},
      {5e12, "pětbilionů"}, {21e12, "dvacetjedenbilionů"}, {1002003004, "jednamiliardadvamilionytřitisícečtyři"},
      {999999999999999, "devětsetdevadesátdevětbilionůdevětsetdevadesátdevětmiliarddevětsetdevadesátdevět"
                        "milionůdevětsetdevadesátdevěttisícdevětsetdevadesátdevět"},
      {1e15, "1000000000000000"},  // beyond billions: digits rather than a wrong amount
  };
  for (const auto& c : cases) EXPECT_EQ(AmountInWords(c.value), c.words) << std::fixed << c.value;
}
