#include "exchange/MakerAddresses.h"

#include <cstdlib>

std::string VersionPageAddress() {
  const char* over = std::getenv("GARVEL_VERSION_URL");
  return over && *over ? over : kDefaultVersionPage;
}

std::string CreatedByLine() {
  return std::string("Vytvořeno programem \"Garvel\" - ") + kMakerWebAddress + " ... softwarové vybavení autoservisů";
}

std::string CustomerEditionLine() {
  return std::string("Stáhněte si zákaznickou verzi programu z adresy ") + kCustomerEditionAddress;
}
