#pragma once
// The maker's addresses the program names in mail, print-outs and queries.

#include <string>

#include "storage/Version.h"  // kProgramDownloadAddress

inline constexpr const char* kMakerWebAddress = "https://garvel.example";
inline constexpr const char* kCustomerEditionAddress = "https://garvel.example/zakaznicka-verze/";
inline constexpr const char* kDefaultVersionPage = "https://garvel.example/garv_version.php";

// The version page; GARVEL_VERSION_URL replaces it (tests, demonstrations).
std::string VersionPageAddress();

// The two lines that end every message sent by the web service and every
// print-out of a service book, without line ends.
std::string CreatedByLine();
std::string CustomerEditionLine();
