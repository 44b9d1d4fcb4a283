#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "catalogues/AttachmentDisplay.h"
#include "catalogues/AttachmentFiles.h"
#include "catalogues/AttachmentNames.h"
#include "catalogues/Contacts.h"
#include "shell/Stores.h"
#include "storage/Codec.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/support/WriteProtect.h"

namespace {

namespace fsys = std::filesystem;

class AttachmentFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    place = AttachmentPlaceOf(GetVirtualFS(), "attach\\");
    fsys::create_directories(fs.dir / "outside/dir");
    WriteFileBytes(fs.dir / "outside/doc.pdf", "PDF");
    WriteFileBytes(fs.dir / "outside/dir/a.txt", "A");
    WriteFileBytes(fs.dir / "outside/dir/folderdesc.txt", "popis složky");
    WriteFileBytes(fs.dir / "outside/dir/a.txt.desc.txt", "popis");
  }
  std::string Real(const std::string& relative) { return fs.dir / relative; }
  ino_t Inode(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
  }

  TTestFileSystems fs;
  TAttachmentPlace place;
  const std::string car = "attach\\CAR00001";
};

}  // namespace

TEST_F(AttachmentFilesTest, NewEntriesNeverReplaceOldOnes) {
  // The vehicle's folder does not exist yet: the first entry makes it.
  TAttachResult r = CreateTextAttachment(place, car, "poznámky");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, car + "\\poznámky.txt");
  WriteFileBytes(Real("attach/CAR00001/poznámky.txt"), "obsah");
  r = CreateTextAttachment(place, car, "poznámky");
  EXPECT_EQ(r.error, "Příloha \"poznámky.txt\" již existuje.");
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/poznámky.txt")), "obsah");

  r = CreateWebLinkAttachment(place, car, "Servis: ceník", "http://servis.cz/");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/Servis# ceník.URL")), "[InternetShortcut]\r\nURL=http://servis.cz/\r\n");
  EXPECT_FALSE(CreateWebLinkAttachment(place, car, "Servis: ceník", "http://jinam.cz/").ok);
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/Servis# ceník.URL")), "[InternetShortcut]\r\nURL=http://servis.cz/\r\n");

  ASSERT_TRUE(CreateAttachmentFolder(place, car, "Doklady").ok);
  EXPECT_TRUE(fsys::is_directory(Real("attach/CAR00001/Doklady")));
  EXPECT_EQ(CreateAttachmentFolder(place, car, "Doklady").error, "Příloha \"Doklady\" již existuje.");
  for (const char* bad : {"..", ".skryta", "a/b", "x.desc.txt", ""})
    EXPECT_EQ(CreateAttachmentFolder(place, car, bad).error, "Neplatný název!") << bad;
  EXPECT_FALSE(CreateAttachmentFolder(place, "jinde", "x").ok);  // outside the root
  EXPECT_FALSE(fsys::exists(Real("jinde")));
}

TEST_F(AttachmentFilesTest, AttachByLinkCopyAndMove) {
  TAttachResult r = AttachExisting(place, car, Real("outside/doc.pdf"), TAttachMode::Link);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(ShellLinkTarget(ReadFileBytes(Real("attach/CAR00001/doc.pdf.LNK"))), Real("outside/doc.pdf"));
  const std::string link = ReadFileBytes(Real("attach/CAR00001/doc.pdf.LNK"));
  EXPECT_FALSE(AttachExisting(place, car, Real("outside/doc.pdf"), TAttachMode::Link).ok);
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/doc.pdf.LNK")), link);

  r = AttachExisting(place, car, Real("outside/doc.pdf"), TAttachMode::Copy);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/doc.pdf")), "PDF");
  WriteFileBytes(Real("outside/doc.pdf"), "NEW");
  r = AttachExisting(place, car, Real("outside/doc.pdf"), TAttachMode::Copy);
  EXPECT_EQ(r.error, "Příloha \"doc.pdf\" již existuje. Soubor \"" + Real("outside/doc.pdf") + "\" nebude přiložen.");
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/doc.pdf")), "PDF");

  // A folder copied without its descriptions.
  r = AttachExisting(place, car, Real("outside/dir"), TAttachMode::Copy);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/dir/a.txt")), "A");
  EXPECT_FALSE(fsys::exists(Real("attach/CAR00001/dir/folderdesc.txt")));
  EXPECT_FALSE(fsys::exists(Real("attach/CAR00001/dir/a.txt.desc.txt")));
  // Never into itself.
  r = AttachExisting(place, car + "\\dir", Real("attach/CAR00001/dir"), TAttachMode::Copy);
  EXPECT_EQ(r.error, "Složku \"" + Real("attach/CAR00001/dir") + "\" nelze vložit do ní samotné.");
  r = AttachExisting(place, car + "\\dir", Real("attach/CAR00001"), TAttachMode::Move);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(fsys::exists(Real("attach/CAR00001/doc.pdf")));

  r = AttachExisting(place, "attach\\CON00002", Real("outside/dir"), TAttachMode::Move);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_FALSE(fsys::exists(Real("outside/dir")));
  EXPECT_TRUE(fsys::exists(Real("attach/CON00002/dir/folderdesc.txt")));  // a move takes everything

  r = AttachExisting(place, car, Real("outside/nic.pdf"), TAttachMode::Copy);
  EXPECT_EQ(r.error, "Soubor \"" + Real("outside/nic.pdf") + "\" nebyl nalezen a nebude přiložen.");
}

TEST_F(AttachmentFilesTest, DataFoldersAndTheRootAreNeverMoved) {
  WriteFileBytes(Real("db_cars.dat"), "data");
  ASSERT_TRUE(CreateAttachmentFolder(place, car, "x").ok);
  for (const std::string& source : {fs.dir.Path(), Real("attach"), Real("db_cars.dat")}) {
    const TAttachResult r = AttachExisting(place, car, source, TAttachMode::Move);
    EXPECT_FALSE(r.ok) << source;
    EXPECT_TRUE(fsys::exists(source)) << source;
  }
}

TEST_F(AttachmentFilesTest, RenameTakesTheDescriptionAlong) {
  ASSERT_TRUE(AttachExisting(place, car, Real("outside/doc.pdf"), TAttachMode::Copy).ok);
  ASSERT_TRUE(WriteAttachmentDescription(place, car + "\\doc.pdf", "faktura"));
  TAttachResult r = RenameAttachment(place, car + "\\doc.pdf", "faktura.pdf");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, car + "\\faktura.pdf");
  EXPECT_EQ(ReadAttachmentDescription(place, r.path), "faktura");
  EXPECT_FALSE(fsys::exists(Real("attach/CAR00001/doc.pdf.desc.txt")));

  ASSERT_TRUE(CreateTextAttachment(place, car, "jiná").ok);
  EXPECT_EQ(RenameAttachment(place, car + "\\faktura.pdf", "jiná.txt").error, "Při přejmenování došlo k chybě.");
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/faktura.pdf")), "PDF");
  EXPECT_EQ(RenameAttachment(place, car, "AUTO").error, "Tuto složku nelze přejmenovat.");
  EXPECT_EQ(RenameAttachment(place, car + "\\faktura.pdf", "a:b").error, "Neplatný název!");
  // Six digits: an ordinary folder that may be renamed.
  ASSERT_TRUE(CreateAttachmentFolder(place, "attach", "CAR123456").ok);
  EXPECT_TRUE(RenameAttachment(place, "attach\\CAR123456", "staré").ok);
}

TEST_F(AttachmentFilesTest, DescriptionsAreWrittenOnlyWhenChanged) {
  ASSERT_TRUE(CreateTextAttachment(place, car, "notes").ok);
  const std::string notes = car + "\\notes.txt";
  // A text file is its own description.
  ASSERT_TRUE(WriteAttachmentDescription(place, notes, "Výměna oleje\r\n"));
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/notes.txt")), Utf8ToCp1250("Výměna oleje\r\n"));
  const ino_t before = Inode(Real("attach/CAR00001/notes.txt"));
  ASSERT_TRUE(WriteAttachmentDescription(place, notes, "Výměna oleje\r\n"));
  EXPECT_EQ(Inode(Real("attach/CAR00001/notes.txt")), before);
  // A file written on this desktop stays UTF-8.
  WriteFileBytes(Real("attach/CAR00001/notes.txt"), "Řádek");
  EXPECT_EQ(ReadAttachmentDescription(place, notes), "Řádek");
  ASSERT_TRUE(WriteAttachmentDescription(place, notes, "Řádek 2"));
  EXPECT_EQ(ReadFileBytes(Real("attach/CAR00001/notes.txt")), "Řádek 2");
  // A folder's description inside it; nothing written for an empty one.
  ASSERT_TRUE(WriteAttachmentDescription(place, car, ""));
  EXPECT_FALSE(fsys::exists(Real("attach/CAR00001/folderdesc.txt")));
  ASSERT_TRUE(WriteAttachmentDescription(place, car, "Vůz pana Nováka"));
  EXPECT_EQ(ReadAttachmentDescription(place, car), "Vůz pana Nováka");
  // Description files are not entries.
  const std::vector<std::string> entries = AttachmentEntries(place, car);
  EXPECT_EQ(entries, std::vector<std::string>{"notes.txt"});
}

TEST_F(AttachmentFilesTest, DeletionStaysInsideTheRoot) {
  ASSERT_TRUE(AttachExisting(place, car, Real("outside/doc.pdf"), TAttachMode::Copy).ok);
  ASSERT_TRUE(WriteAttachmentDescription(place, car + "\\doc.pdf", "popis"));
  ASSERT_TRUE(DeleteAttachment(place, car + "\\doc.pdf").ok);
  EXPECT_FALSE(fsys::exists(Real("attach/CAR00001/doc.pdf")));
  EXPECT_FALSE(fsys::exists(Real("attach/CAR00001/doc.pdf.desc.txt")));
  ASSERT_TRUE(CreateTextAttachment(place, car, "notes").ok);
  ASSERT_TRUE(DeleteAttachment(place, car + "\\notes.txt").ok);
  // An entry that cannot be deleted keeps its description.
  ASSERT_TRUE(AttachExisting(place, car, Real("outside/doc.pdf"), TAttachMode::Copy).ok);
  ASSERT_TRUE(WriteAttachmentDescription(place, car + "\\doc.pdf", "popis"));
  {
    TWriteProtect protect(Real("attach/CAR00001/doc.pdf"));
    if (protect.Active() && ::geteuid() == 0) {
      EXPECT_EQ(DeleteAttachment(place, car + "\\doc.pdf").error, "Mazání selhalo.");
      EXPECT_TRUE(fsys::exists(Real("attach/CAR00001/doc.pdf.desc.txt")));
    }
  }
  ASSERT_TRUE(DeleteAttachment(place, car + "\\doc.pdf").ok);

  // A link to a folder elsewhere: removed itself, never followed.
  ASSERT_EQ(::symlink(Real("outside").c_str(), Real("attach/CAR00001/odkaz").c_str()), 0);
  EXPECT_FALSE(DeleteAttachment(place, car + "\\odkaz\\doc.pdf").ok);
  EXPECT_TRUE(fsys::exists(Real("outside/doc.pdf")));
  ASSERT_TRUE(DeleteAttachment(place, car + "\\odkaz").ok);
  EXPECT_FALSE(fsys::is_symlink(Real("attach/CAR00001/odkaz")));
  EXPECT_TRUE(fsys::exists(Real("outside/dir/a.txt")));

  for (const std::string& path : {std::string("attach"), std::string("attach\\..\\outside"), car + "\\..\\..\\outside",
                                  std::string("outside\\doc.pdf"), car})
    EXPECT_FALSE(DeleteAttachment(place, path).ok) << path;
  EXPECT_TRUE(fsys::exists(Real("outside/doc.pdf")));
  EXPECT_TRUE(fsys::exists(Real("attach/CAR00001")));

  ASSERT_TRUE(CreateAttachmentFolder(place, car, "sub").ok);
  ASSERT_TRUE(CreateTextAttachment(place, car + "\\sub", "x").ok);
  EXPECT_TRUE(DeleteAttachment(place, car + "\\sub").ok);
  EXPECT_FALSE(fsys::exists(Real("attach/CAR00001/sub")));
}

TEST_F(AttachmentFilesTest, OwnersNameTheirFolders) {
  TRecordingNotifier notifier;
  TStoreSet stores;
  ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
  const TCatalogue cat = CatalogueOf(stores);
  TManufacturerRecord make;
  InitManufacturer(make);
  make.name = "Škoda";
  ASSERT_TRUE(CreateCatalogueRecord(cat.manufacturers, make));
  TModelRecord model;
  InitModel(model);
  model.name = "Fabia";
  model.manufacturer = make.ID;
  ASSERT_TRUE(CreateCatalogueRecord(cat.models, model));
  TSubTypeRecord sub;
  InitSubType(sub);
  sub.name = "Combi";
  sub.model = model.ID;
  ASSERT_TRUE(CreateCatalogueRecord(cat.subtypes, sub));
  TContactRecord contact;
  InitContact(contact);
  contact.surname = "Novák";
  contact.firstName = "Jan";
  ASSERT_TRUE(AddContact(*stores.customers, contact));
  Tautomobil v;
  InitVehicle(v);
  v.manufacturer = "Škoda";
  v.model = "Fabia";
  v.subtype = "Combi";
  v.engine = "1.2 HTP";
  v.vin = "TMBJJ11J";
  stores.cars->CreateCar(v, "");

  const TAttachmentOwners owners{stores.cars.get(), stores.customers.get(), cat};
  auto name = [&](const std::string& tag, int32_t id) {
    char folder[32];
    std::snprintf(folder, sizeof folder, "attach\\%s%05d", tag.c_str(), id);
    return AttachmentDisplayName(owners, folder);
  };
  EXPECT_EQ(name("CAR", v.ID), "Škoda Fabia Combi 1.2 HTP VIN:TMBJJ11J (ID#" + std::to_string(v.ID) + ")");
  v.tag = "1A2 3456";
  stores.cars->SaveCar(v);
  EXPECT_EQ(name("CAR", v.ID), "Škoda Fabia Combi 1.2 HTP 1A2 3456 (ID#" + std::to_string(v.ID) + ")");
  EXPECT_EQ(name("CAR", 777), "    (ID#777)");
  EXPECT_EQ(name("CON", contact.ID), "Novák, Jan (ID#" + std::to_string(contact.ID) + ")");
  EXPECT_EQ(name("CON", 555), "CON00555");
  EXPECT_EQ(name("MAN", make.ID), "Výrobce Škoda (ID#" + std::to_string(make.ID) + ")");
  EXPECT_EQ(name("MOD", model.ID), "Model Škoda Fabia (ID#" + std::to_string(model.ID) + ")");
  EXPECT_EQ(name("STP", sub.ID), "Podtyp Škoda Fabia Combi (ID#" + std::to_string(sub.ID) + ")");
  EXPECT_EQ(name("GRP", 3), "GRP00003");
  EXPECT_EQ(AttachmentDisplayName(owners, "attach\\CAR00001\\foto.jpg"), "foto.jpg");
}
