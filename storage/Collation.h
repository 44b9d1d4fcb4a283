#pragma once
// Czech collation, whatever the host locale: texts compared without regard to
// letter case, with Czech alphabet order (CH after H, Č after C, ...).

#include <string>
#include <string_view>

// A byte string whose memcmp order is the Czech case-insensitive order.
std::string CzechSortKey(std::string_view utf8);
// <0, 0, >0 like strcmp.
int CzechCompare(std::string_view a, std::string_view b);
