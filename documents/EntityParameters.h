#pragma once
// The parameters that describe the vehicle, the customer and the record of a
// document, and the one-line vehicle description.

#include "catalogues/ContactRecord.h"
#include "documents/TemplateProcessor.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

// "%VEH_TAG%" .. "%VEH_ID%", flags 0.
void AddVehicleParameters(TParameters& parameters, const Tautomobil& vehicle);
// "%CUS_SURENAME%" .. "%CUS_ID%", flags 0.
void AddCustomerParameters(TParameters& parameters, const TContactRecord& customer);
// "%REC_KM%" .. "%REC_ID%", flags 0.
void AddRecordParameters(TParameters& parameters, const Tzaznam& record);

// Make, model, subtype, ", r.v. " year, ", RZ: " plate, ", VIN: " vin, each
// part only when given; not trimmed.
std::string DescribeVehicle(const Tautomobil& vehicle);
// Surname, ", " first name, then the company on a new line (CR).
std::string CustomerNameText(const TContactRecord& customer);
