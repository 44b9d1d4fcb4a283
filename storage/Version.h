#pragma once

inline constexpr const char* kGarvelVersion = "3.63 Beta";
inline constexpr const char* kGarvelCaption = "Garvel 3.63 Beta";
// Where the program can be downloaded: offered in e-mails to customers
// ("%PROGRAM_URL") and opened when a newer version is announced.
inline constexpr const char* kProgramDownloadAddress = "https://garvel.example/stahnout/";
