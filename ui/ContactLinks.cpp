#include "ui/ContactLinks.h"

#include <QDesktopServices>
#include <QUrl>

#include "catalogues/Contacts.h"
#include "exchange/WebService.h"
#include "shell/Config.h"

void ShowAddressOnMap(const std::string& address) {
  // The address is already encoded; take it byte for byte.
  QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(MapAddress(Config().mapsurl, address))));
}

void ComposeEmailTo(const std::string& address) { WebService().ComposeEmail(address, "", ""); }
