#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <deque>
#include <filesystem>

#include "catalogues/AttachmentNames.h"
#include "catalogues/Contacts.h"
#include "shell/Stores.h"
#include "storage/Codec.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/AttachFileModeForm.h"
#include "ui/AttachmentsForm.h"
#include "ui/ContactDetail.h"

namespace {

namespace fsys = std::filesystem;

class AttachmentsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    TContactRecord c;
    InitContact(c);
    c.surname = "Novák";
    ASSERT_TRUE(AddContact(*stores.customers, c));
    contact = "attach\\CON0000" + std::to_string(c.ID);
    fsys::create_directories(fs.dir / "attach/CON0000" + std::to_string(c.ID));
    WriteFileBytes(Real(contact + "\\foto.jpg"), std::string(1229, 'x'));
    WriteFileBytes(Real(contact + "\\foto.jpg.desc.txt"), Utf8ToCp1250("Přední část"));
    WriteFileBytes(fs.dir / "outside.pdf", "PDF");

    TAttachmentsServices s;
    s.place = AttachmentPlaceOf(GetVirtualFS(), "attach\\");
    s.owners = TAttachmentOwners{stores.cars.get(), stores.customers.get(), CatalogueOf(stores)};
    s.askText = [this](const std::string& caption, const std::string&, std::string& value) {
      questions.push_back(caption + "|" + value);
      if (answers.empty()) return false;
      value = answers.front();
      answers.pop_front();
      return true;
    };
    s.askFiles = [this] { return files; };
    s.askFolder = [] { return std::string(); };
    s.askMode = [this](TAttachMode& m) {
      m = mode;
      return true;
    };
    s.editText = [this](const std::string& title, const std::string& text) {
      questions.push_back(title + "|" + text);
      return edited.empty() ? text : edited;
    };
    s.proposeTitle = [this](const std::string& address) {
      questions.push_back("title|" + address);
      return std::string("Návrh");
    };
    window = std::make_unique<TfAttachments>(s);
    window->ShowRoots({car, contact}, false);
  }
  std::string Real(const std::string& virtualPath) { return GetVirtualFS().GetRealPath(virtualPath); }
  bool Enabled(const char* command) { return window->Command(command)->isEnabled(); }

  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TRecordingDesktop desktop;
  TStoreSet stores;
  std::unique_ptr<TfAttachments> window;
  const std::string car = "attach\\CAR00007";
  std::string contact;
  std::deque<std::string> answers;
  std::vector<std::string> questions, files;
  std::string edited;
  TAttachMode mode = TAttachMode::Copy;
};

}  // namespace

TEST_F(AttachmentsWindowTest, RootsEntriesAndWhatASelectionShows) {
  QTreeWidget* tree = window->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0).toStdString(), "    (ID#7)");  // a vehicle that cannot be read
  EXPECT_EQ(tree->topLevelItem(1)->text(0).toStdString(), "Novák (ID#1)");
  ASSERT_EQ(tree->topLevelItem(1)->childCount(), 1);  // the description is no entry
  EXPECT_FALSE(Enabled("folder"));                    // nothing selected

  ASSERT_TRUE(window->Select(contact + "\\foto.jpg"));
  EXPECT_EQ(window->Description()->toPlainText().toStdString(), "Přední část");
  EXPECT_EQ(window->SizeText()->text().toStdString(), "1,2 kB");
  EXPECT_TRUE(window->KindText()->text().startsWith(".jpg"));
  EXPECT_TRUE(Enabled("open"));
  EXPECT_TRUE(Enabled("rename"));
  window->OpenSelected();
  EXPECT_EQ(desktop.documents, std::vector<std::string>{Real(contact + "\\foto.jpg")});

  ASSERT_TRUE(window->Select(car));  // not made yet, and still a folder to add to
  EXPECT_EQ(window->SizeText()->text().toStdString(), "-");
  EXPECT_FALSE(Enabled("rename"));
  EXPECT_FALSE(Enabled("delete"));
  EXPECT_FALSE(Enabled("open"));
  EXPECT_TRUE(Enabled("text"));
}

TEST_F(AttachmentsWindowTest, AddingMakesTheFolderAndSelectsTheEntry) {
  ASSERT_TRUE(window->Select(car));
  answers = {"zápis"};
  window->NewTextDocument();
  EXPECT_TRUE(fsys::exists(fs.dir / "attach/CAR00007/zápis.txt"));
  EXPECT_EQ(window->SelectedPath(), car + "\\zápis.txt");
  EXPECT_EQ(desktop.documents.back(), Real(car + "\\zápis.txt"));

  // From a file the new entry goes into the file's folder.
  answers = {"a:b"};
  window->NewFolder();
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Neplatný název!");
  EXPECT_EQ(notifier.shown[0].icon, TMsgIcon::Warning);

  answers = {"www.servis.cz", "Servis: Brno"};
  window->NewWebLink();
  EXPECT_EQ(questions[questions.size() - 3], "Zadejte internetovou adresu|http://");
  EXPECT_EQ(questions[questions.size() - 2], "title|http://www.servis.cz");
  EXPECT_EQ(questions.back(), "Zadejte název stránky|Návrh");
  EXPECT_EQ(ReadFileBytes(fs.dir / "attach/CAR00007/Servis# Brno.URL"), "[InternetShortcut]\r\nURL=http://www.servis.cz\r\n");
  window->OpenSelected();
  EXPECT_EQ(desktop.urls, std::vector<std::string>{"http://www.servis.cz"});

  files = {fs.dir / "outside.pdf", fs.dir / "chybi.pdf"};
  mode = TAttachMode::Link;
  window->AttachFiles();
  ASSERT_EQ(notifier.shown.size(), 2u);
  EXPECT_EQ(notifier.shown[1].text, "Soubor \"" + fs.dir / "chybi.pdf" + "\" nebyl nalezen a nebude přiložen.");
  EXPECT_EQ(window->SelectedPath(), car + "\\outside.pdf.LNK");
  window->OpenSelected();
  EXPECT_EQ(desktop.documents.back(), fs.dir / "outside.pdf");
  EXPECT_EQ(window->Tree()->topLevelItem(0)->childCount(), 3);
}

TEST_F(AttachmentsWindowTest, RenameDescribeAndDelete) {
  ASSERT_TRUE(window->Select(contact + "\\foto.jpg"));
  answers = {"auto.png"};
  notifier.Script({TMsgAnswer::No});  // keep the old extension
  window->RenameSelected();
  EXPECT_EQ(notifier.shown.back().caption, "Změnil jste příponu (typ) souboru");
  EXPECT_EQ(window->SelectedPath(), contact + "\\auto.jpg");
  EXPECT_EQ(window->Tree()->currentItem()->text(0).toStdString(), "auto.jpg");
  EXPECT_TRUE(fsys::exists(Real(contact + "\\auto.jpg.desc.txt")));

  edited = "Nový popis\r\n";
  window->DescribeSelected();
  EXPECT_EQ(questions.back(), "Popis přílohy \"auto.jpg\"|Přední část");
  EXPECT_EQ(ReadFileBytes(Real(contact + "\\auto.jpg.desc.txt")), Utf8ToCp1250("Nový popis\r\n"));
  EXPECT_EQ(window->Description()->toPlainText().toStdString(), "Nový popis\n");

  notifier.Script({TMsgAnswer::No});
  window->DeleteSelected();
  EXPECT_TRUE(fsys::exists(Real(contact + "\\auto.jpg")));
  notifier.Script({TMsgAnswer::Yes});
  window->DeleteSelected();
  EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete smazat přílohu \"auto.jpg\"?");
  EXPECT_FALSE(fsys::exists(Real(contact + "\\auto.jpg")));
  EXPECT_FALSE(fsys::exists(Real(contact + "\\auto.jpg.desc.txt")));
  EXPECT_EQ(window->Tree()->topLevelItem(1)->childCount(), 0);
}

TEST_F(AttachmentsWindowTest, AllAttachmentsListsEveryFolderUnderTheRoot) {
  fsys::create_directories(fs.dir / "attach/MAN00003");
  fsys::create_directories(fs.dir / "attach/jine");
  window->ShowAllAttachments();
  QTreeWidget* tree = window->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 3);
  EXPECT_EQ(tree->topLevelItem(0)->text(0).toStdString(), "Novák (ID#1)");
  EXPECT_EQ(tree->topLevelItem(1)->text(0).toStdString(), "jine");
  EXPECT_EQ(tree->topLevelItem(2)->text(0).toStdString(), "MAN00003");  // no such make
  // Entries are read when a folder is opened.
  EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
  tree->setCurrentItem(tree->topLevelItem(0));
  EXPECT_EQ(tree->topLevelItem(0)->childCount(), 1);
  EXPECT_EQ(window->Command("all")->shortcut(), QKeySequence("Ctrl+A"));
}

TEST(ContactAttachments, ButtonOpensTheStoredContactsFolder) {
  TestApplication();
  std::vector<int32_t> opened;
  SetContactAttachmentsOpener([&](int32_t id) { opened.push_back(id); });
  TcontactDetail detail;
  QPushButton* button = nullptr;
  for (QPushButton* b : detail.findChildren<QPushButton*>())
    if (b->text() == QString::fromUtf8("Zobrazit přílohy")) button = b;
  ASSERT_NE(button, nullptr);
  TContactRecord c;
  InitContact(c);
  c.ID = -1;
  detail.initialize(c);
  EXPECT_FALSE(button->isEnabled());  // not stored yet
  c.ID = 12;
  detail.initialize(c);
  ASSERT_TRUE(button->isEnabled());
  button->click();
  EXPECT_EQ(opened, std::vector<int32_t>{12});
  SetContactAttachmentsOpener(nullptr);
}

// Each way of attaching shows its whole explanation, none cut off by "..."
// and none lost in a row far taller than its text.
TEST(AttachFileMode, EveryChoiceShowsItsWholeText) {
  TestApplication();
  TfAttachFileMode dialog;
  dialog.show();
  QListWidget* list = dialog.Choices();
  const QFontMetrics metrics(list->font());
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    const QRect rect = list->visualItemRect(item);
    const QRect needed = metrics.boundingRect(QRect(0, 0, rect.width() - 8, 10000), Qt::TextWordWrap, item->text());
    EXPECT_GE(rect.height(), needed.height()) << i;
    EXPECT_LE(rect.height(), needed.height() + metrics.lineSpacing()) << i;  // and no empty band
  }
}
