#pragma once
// The "mailto:" link that hands a message to the desktop's mail program.
//
// Mail programs read a mailto link as UTF-8, so subject and body are
// percent-encoded UTF-8 (a blank as %20, every line end as %0D%0A); the
// address is percent-encoded too, so that a "?" or "&" in it can never add
// headers or recipients.

#include <string>

// The address of a list entry such as "Novák, Jan <jan@example.cz>": the part
// in angle brackets; otherwise the text without surrounding blanks.
std::string MailAddressOf(const std::string& entry);

// Every byte but A-Z, a-z, 0-9, "-", ".", "_" and "~" as "%" and two
// upper-case hexadecimal digits.
std::string PercentEncodeUtf8(const std::string& text);

// "mailto:" address "?subject=" subject "&body=" body.
std::string MailtoLink(const std::string& address, const std::string& subject, const std::string& body);
