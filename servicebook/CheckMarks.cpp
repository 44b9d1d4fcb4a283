#include "servicebook/CheckMarks.h"

std::vector<bool> InitialCheckStates(const std::vector<bool>& marks, size_t itemCount) {
  std::vector<bool> states(itemCount, false);
  for (size_t i = 0; i < itemCount && i < marks.size(); ++i) states[i] = marks[i];
  return states;
}

bool TakeCheckStates(std::vector<bool>& marks, const std::vector<bool>& states, bool confirmed) {
  if (confirmed) marks = states;
  return confirmed;
}
