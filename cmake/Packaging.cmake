# The Debian package, made by `cpack` in a release build tree (see
# scripts/package.sh): garvel_<version>_amd64.deb installing under /usr.
# The shared libraries the programs link are declared by dpkg-shlibdeps;
# the programs they start are declared here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME garvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "servisní knížky vozidel pro autoservis")
set(CPACK_PACKAGE_DESCRIPTION
    "Garvel vede vozidla zákazníků autoservisu a jejich servisní knížky: provedené a plánované \
práce, zakázky, tankování a jízdy s cenami práce a materiálu. Upozorňuje na blížící se servis, \
vystavuje faktury, zakázkové listy a příjmové doklady a předává záznamy majitelům vozidel \
v datových souborech .cgarv.")
set(CPACK_PACKAGE_CONTACT "Garvel <garvel@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The entry names the program by its installed path, so the staging
# install must keep the final prefix and stage through DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The PDF converter and the desktop's opener of documents, addresses and
# mail links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "wkhtmltopdf, xdg-utils")
# Qt's own dialogs in Czech, the Wayland and other platform plugins, and
# the fonts the documents are laid out with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)
