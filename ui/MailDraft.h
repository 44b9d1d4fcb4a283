#pragma once
// Composing an e-mail in the desktop's mail program through a "mailto:"
// link. It stands in for the program's e-mail service: the message is only
// prepared, the user sends it.

#include <QUrl>
#include <string>

// The link of a message. The address may be a list entry such as
// "Novák, Jan <jan@example.cz>": only the part in angle brackets is used.
// Every line break of the body becomes CR LF, as mail links require.
QUrl MailtoUrl(const std::string& to, const std::string& subject, const std::string& body);

// Opens the link with the desktop; false when no program took it.
bool OpenMailDraft(const std::string& to, const std::string& subject, const std::string& body);
