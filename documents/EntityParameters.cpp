#include "documents/EntityParameters.h"

#include "documents/ValueFormats.h"

void AddVehicleParameters(TParameters& p, const Tautomobil& v) {
  AddParameter(p, "%VEH_TAG%", v.tag, 0);
  AddParameter(p, "%VEH_MAKE%", v.manufacturer, 0);
  AddParameter(p, "%VEH_MODEL%", v.model, 0);
  AddParameter(p, "%VEH_SUBMODEL%", v.subtype, 0);
  AddParameter(p, "%VEH_ENGINE%", v.engine, 0);
  AddParameter(p, "%VEH_COLOR%", v.color, 0);
  AddParameter(p, "%VEH_YEAR%", YearText(v), 0);
  AddParameter(p, "%VEH_VIN%", v.vin, 0);
  AddParameter(p, "%VEH_ENGCODE%", v.engineNumber, 0);
  AddParameter(p, "%VEH_COMMENTS%", v.comments, 0);
  AddParameter(p, "%VEH_ID%", std::to_string(v.ID), 0);
}

std::string CustomerNameText(const TContactRecord& c) {
  std::string name = c.surname;
  if (!c.firstName.empty()) name += ", " + c.firstName;
  if (!c.company.empty()) {
    if (!name.empty()) name += "\r";
    name += c.company;
  }
  return name;
}

void AddCustomerParameters(TParameters& p, const TContactRecord& c) {
  AddParameter(p, "%CUS_SURENAME%", c.surname, 0);
  AddParameter(p, "%CUS_FIRSTNAME%", c.firstName, 0);
  AddParameter(p, "%CUS_NAME%", CustomerNameText(c), 0);
  AddParameter(p, "%CUS_STREET%", c.street, 0);
  AddParameter(p, "%CUS_CITY%", c.city, 0);
  AddParameter(p, "%CUS_PHONES%", c.phones, 0);
  AddParameter(p, "%CUS_EMAIL%", c.email, 0);
  AddParameter(p, "%CUS_OTHERCONTACT%", c.other, 0);
  AddParameter(p, "%CUS_ICO%", c.ico, 0);
  AddParameter(p, "%CUS_DIC%", c.dic, 0);
  AddParameter(p, "%CUS_ID%", std::to_string(c.ID), 0);
}

void AddRecordParameters(TParameters& p, const Tzaznam& r) {
  const TzaznamDb& d = r.db;
  AddParameter(p, "%REC_KM%", d.km < 0 ? "" : std::to_string(d.km), 0);
  AddParameter(p, "%REC_DATE%", DocDateText(RecordDate(d)), 0);
  AddParameter(p, "%REC_KIND%", KindToText(d.kind), 0);
  AddParameter(p, "%REC_PRICEWRK%", MoneyText(d.priceWrk), 0);
  AddParameter(p, "%REC_PRICEMAT%", MoneyText(d.priceMat), 0);
  AddParameter(p, "%REC_TIME%", MinutesTimeText(d.time), 0);
  // A negative duration means "not given".
  AddParameter(p, "%REC_DURATION%", d.duration < 0 ? "" : MinutesTimeText(d.duration), 0);
  AddParameter(p, "%REC_INVOICENR%", std::to_string(d.invoiceNr), 0);
  AddParameter(p, "%REC_CONTRACTNR%", std::to_string(d.contractNr), 0);
  AddParameter(p, "%REC_RECEIPTNR%", std::to_string(d.receiptNr), 0);
  AddParameter(p, "%REC_DESCRIPTION%", r.description, 0);
  AddParameter(p, "%REC_ID%", std::to_string(d.ID), 0);
}

std::string DescribeVehicle(const Tautomobil& v) {
  std::string text = v.manufacturer;
  if (!v.model.empty()) text += " " + v.model;
  if (!v.subtype.empty()) text += " " + v.subtype;
  std::string year = YearText(v);
  if (year != "?") text += ", r.v. " + year;
  if (!v.tag.empty()) text += ", RZ: " + v.tag;
  if (!v.vin.empty()) text += ", VIN: " + v.vin;
  return text;
}
