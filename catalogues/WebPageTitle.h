#pragma once
// The title proposed for a new web link: the page's <TITLE>, fetched with
// one plain HTTP request, else a title made from the address.
//
// The fetch is bounded: it reads at most 10,240 bytes of the answer and gives
// up after about 3 seconds in all (name look-up, connection and reading), so
// a slow or hostile server cannot hold the window. Only "http://" addresses
// are fetched; redirects are not followed.

#include <string>

// The text between "<TITLE>" and the following "</TITLE>" (any letter case)
// with CR, LF and TAB removed and leading blanks cut; "" when the page has
// none. The bytes are UTF-8 when they read as such, else Windows-1250.
std::string TitleInPage(const std::string& bytes);

// Fetches the page's title, or "" (no "http://" in the address, no
// connection, no title within the limits).
std::string FetchPageTitle(const std::string& address);

// The title to propose, made fit for a file name (FileTitle).
std::string ProposedWebLinkTitle(const std::string& address);
