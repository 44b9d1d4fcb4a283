#pragma once
// Sending the selected record of a vehicle to its owner: the exchange file
// goes to the web service, and the owner gets a mail with its download
// address.

#include <string>

#include "servicebook/ServiceBookOutput.h"

class TWebService;
struct TConfig;

// The mail: the settings' send-records text with "%URL" the download
// address, then the vehicle placeholders and "%PROGRAM_URL".
std::string SendRecordsMailText(const std::string& text, const std::string& downloadAddress,
                                const Tautomobil& vehicle);

enum class TSendRecordResult { NothingToSend, UploadFailed, MailFailed, Sent };

// Uploads the owner (when chosen and read), the vehicle (when chosen) and
// the selected record under the vehicle's exchange file name, then mails
// the owner with the subject "Servisní záznam vozidla". A failed upload
// shows "Nahrávání souboru na server selhalo.", a failed mail "Odeslání se
// nezdařilo"; nothing is sent without an owner's address and a selected row.
TSendRecordResult SendRecordToOwner(const TServiceBookView& view, bool withOwner, bool withVehicle,
                                    TWebService& web, const TConfig& config);
