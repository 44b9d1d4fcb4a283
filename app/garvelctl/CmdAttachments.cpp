// garvelctl attachments, attach, attach-url: the attachment tree of a data
// folder, listed or added to with the attachments window's own code.
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "catalogues/AttachmentDisplay.h"
#include "catalogues/AttachmentFiles.h"
#include "catalogues/AttachmentNames.h"
#include "catalogues/EntryPicture.h"
#include "catalogues/WebPageTitle.h"
#include "shell/IniFile.h"
#include "storage/VirtualFileSystem.h"

namespace {

// The data folder as the program sees it: the only mount of a virtual file
// system, with the attachment root of its settings.
struct TAttachmentFolder {
  TDatabaseFolder db;
  CVirtualFileSystem vfs;
  TAttachmentPlace place;

  explicit TAttachmentFolder(const std::string& dir) : db(dir), vfs(db.fs) {
    vfs.AddMount(db.dir);
    TIniFile ini;
    ini.Load(db.dir + "garvconf.ini");
    place = AttachmentPlaceOf(vfs, ini.Get("attachments", "attachpath", "attach\\"));
  }
  // The entity folder named by TAG and ID, or "" (reported).
  std::string EntityFolder(const std::string& tag, const std::string& id) {
    char* end = nullptr;
    const long n = std::strtol(id.c_str(), &end, 10);
    if (!IsAttachmentTag(tag) || id.empty() || *end || n < 0 || n > 99999) {
      std::fprintf(stderr, "garvelctl: neplatný vlastník příloh \"%s %s\" (CAR, CON, MAN, MOD, ENG, GRP, STP a číslo)\n",
                   tag.c_str(), id.c_str());
      return "";
    }
    return EntryAttachmentFolder(place.root, tag, static_cast<int32_t>(n));
  }
};

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

void PrintTree(TAttachmentFolder& f, const TAttachmentOwners& owners, const std::string& path, int depth) {
  const bool folder = AttachmentIsFolder(f.place, path) && !AttachmentIsLink(f.place, path);
  const int64_t size = AttachmentSize(f.place, path);
  std::printf("%*s%s\t%s\t%s\n", depth * 2, "", AttachmentDisplayName(owners, path).c_str(),
              size < 0 ? "-" : FileSizeText(size).c_str(), FirstLine(ReadAttachmentDescription(f.place, path)).c_str());
  if (!folder) return;
  for (const std::string& name : AttachmentEntries(f.place, path)) PrintTree(f, owners, path + "\\" + name, depth + 1);
}

}  // namespace

int CmdAttachments(int argc, char** argv) {
  TArgs args(argc, argv, {});
  if (args.positional.size() != 1 && args.positional.size() != 3) {
    std::fprintf(stderr, "Použití: garvelctl attachments SLOŽKA [ZNAČKA ID]\n");
    return 2;
  }
  TAttachmentFolder f(args.positional[0]);
  if (!f.db.Open()) return 1;
  const TAttachmentOwners owners{f.db.stores.cars.get(), f.db.stores.customers.get(), CatalogueOf(f.db.stores)};
  if (args.positional.size() == 3) {
    const std::string folder = f.EntityFolder(args.positional[1], args.positional[2]);
    if (folder.empty()) return 2;
    PrintTree(f, owners, folder, 0);
    return 0;
  }
  // Every folder under the root, one line each, as "Správce příloh" lists them.
  for (const std::string& name : AttachmentRootFolders(f.place)) {
    const std::string path = f.place.Root() + "\\" + name;
    std::printf("%s\t%s\n", name.c_str(), AttachmentDisplayName(owners, path).c_str());
  }
  return 0;
}

int CmdAttach(int argc, char** argv) {
  TArgs args(argc, argv, {"--mode"});
  const std::string modeName = args.Value("--mode", "link");
  const TAttachMode mode = modeName == "copy" ? TAttachMode::Copy : modeName == "move" ? TAttachMode::Move : TAttachMode::Link;
  if (args.positional.size() < 4 || (modeName != "link" && modeName != "copy" && modeName != "move")) {
    std::fprintf(stderr, "Použití: garvelctl attach SLOŽKA ZNAČKA ID CESTA... [--mode link|copy|move]\n");
    return 2;
  }
  TAttachmentFolder f(args.positional[0]);
  const std::string folder = f.EntityFolder(args.positional[1], args.positional[2]);
  if (folder.empty()) return 2;
  int failed = 0;
  for (size_t i = 3; i < args.positional.size(); ++i) {
    const TAttachResult r = AttachExisting(f.place, folder, args.positional[i], mode);
    if (r.ok) std::printf("%s\n", r.path.c_str());
    else std::fprintf(stderr, "%s\n", r.error.c_str());
    failed += r.ok ? 0 : 1;
  }
  return failed ? 1 : 0;
}

int CmdAttachUrl(int argc, char** argv) {
  TArgs args(argc, argv, {"--title"});
  if (args.positional.size() != 4) {
    std::fprintf(stderr, "Použití: garvelctl attach-url SLOŽKA ZNAČKA ID ADRESA [--title NÁZEV]\n");
    return 2;
  }
  TAttachmentFolder f(args.positional[0]);
  const std::string folder = f.EntityFolder(args.positional[1], args.positional[2]);
  if (folder.empty()) return 2;
  const std::string address = WebAddress(args.positional[3]);
  const std::string title = args.Has("--title") ? args.Value("--title") : ProposedWebLinkTitle(address);
  const TAttachResult r = CreateWebLinkAttachment(f.place, folder, title, address);
  if (!r.ok) {
    std::fprintf(stderr, "%s\n", r.error.c_str());
    return 1;
  }
  std::printf("%s\n", r.path.c_str());
  return 0;
}

namespace {
const TCtlRegistration kRegisterAttachments(
    "attachments", "vypíše složky příloh nebo strom příloh jednoho vlastníka",
    "SLOŽKA [ZNAČKA ID]", CmdAttachments,
    "ZNAČKA je CAR (vozidlo), CON (zákazník), MAN, MOD, ENG, GRP nebo STP (katalog).");
const TCtlRegistration kRegisterAttach(
    "attach", "přiloží soubory či složky k vozidlu, zákazníkovi nebo položce katalogu",
    "SLOŽKA ZNAČKA ID CESTA... [--mode link|copy|move]", CmdAttach,
    "ZNAČKA je CAR (vozidlo), CON (zákazník), MAN, MOD, ENG, GRP nebo STP (katalog); výchozí způsob je link.");
const TCtlRegistration kRegisterAttachUrl(
    "attach-url", "přiloží internetový odkaz k vozidlu, zákazníkovi nebo položce katalogu",
    "SLOŽKA ZNAČKA ID ADRESA [--title NÁZEV]", CmdAttachUrl,
    "Bez --title se název zjistí ze stránky.");
}  // namespace
