#pragma once
// The two outward links of a contact, shared by the list and the detail
// window: the map look-up of an address and a new e-mail to an address,
// each opened with the desktop's default program.

#include <string>

// The address folded, URL-encoded and put into the settings' `mapsurl`.
void ShowAddressOnMap(const std::string& address);
// A new message to the address with an empty subject and body, through
// the program's e-mail service (the mail program or the editor window).
void ComposeEmailTo(const std::string& address);
