#pragma once
// The check marks of the selection dialog: one per item, given as an array
// that may be shorter or longer than the list of items.

#include <cstddef>
#include <vector>

// The state each of `itemCount` items starts in: as in `marks`, unchecked
// beyond its length.
std::vector<bool> InitialCheckStates(const std::vector<bool>& marks, size_t itemCount);

// What the dialog leaves in `marks`: on OK the states of all items (the
// array takes the items' length); otherwise the array as it was. Returns
// `confirmed`.
bool TakeCheckStates(std::vector<bool>& marks, const std::vector<bool>& states, bool confirmed);
