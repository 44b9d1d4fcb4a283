#pragma once
// Rounding of final amounts. The rule comes from the settings
// (`invoicerounding`, `roundto`); the configuration publishes it here so that
// the data model does not depend on the shell.

struct TPriceRounding {
  bool enabled = true;  // invoicerounding
  double step = 1;      // roundto
};

void SetPriceRounding(const TPriceRounding& rule);
TPriceRounding GetPriceRounding();

// step × the nearest integer to value / step, halves to even, when rounding is
// on and the step is above 0.00001; otherwise the value unchanged.
double RoundPrice(double value, const TPriceRounding& rule);
double RoundPrice(double value);
