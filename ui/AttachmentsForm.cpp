#include "ui/AttachmentsForm.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogues/AttachmentNames.h"
#include "catalogues/WebPageTitle.h"
#include "shell/Desktop.h"
#include "shell/Stores.h"
#include "storage/FileSystemSetup.h"
#include "storage/Codec.h"
#include "storage/File.h"
#include "storage/Notifier.h"
#include "storage/RealFileSystem.h"
#include "storage/TextUtils.h"
#include "ui/AttachFileModeForm.h"
#include "ui/DialogParts.h"
#include "ui/MemoText.h"
#include "ui/ZmenaForm.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLoadedRole = Qt::UserRole + 1;
constexpr int kTypeRole = Qt::UserRole + 2;
constexpr const char* kWindow = "TfAttachments";

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

std::string PathOf(const QTreeWidgetItem* item) { return item ? S(item->data(0, kPathRole).toString()) : ""; }

// A cursor that waits while a file is processed.
struct TWaitCursor {
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

bool WebScheme(const std::string& address) {
  const std::string upper = UpperAscii(address);
  for (const char* scheme : {"HTTP://", "HTTPS://", "FTP://"})
    if (upper.rfind(scheme, 0) == 0) return true;
  return false;
}

std::string TextOfFile(const std::string& real) {
  std::string bytes;
  if (!ReadWholeFile(real, bytes)) return "";
  return IsUtf8Text(bytes) ? bytes : Cp1250ToUtf8(bytes);
}

}  // namespace

TfAttachments::TfAttachments(TAttachmentsServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
  setObjectName("TfAttachments");
  setWindowTitle(QString::fromUtf8("Přílohy"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  auto* layout = new QVBoxLayout(this);

  auto* bar = new QMenuBar(this);
  QMenu* go = bar->addMenu(QString::fromUtf8("&Přejít"));
  layout->setMenuBar(bar);

  auto command = [this](const char* name, const char* caption, const QKeySequence& key, void (TfAttachments::*slot)()) {
    auto* a = new QAction(QString::fromUtf8(caption), this);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, [this, slot] { GuardedSlot(kWindow, [&] { (this->*slot)(); }); });
    addAction(a);
    commands_[name] = a;
    return a;
  };
  go->addAction(command("all", "&Všechny přílohy", QKeySequence("Ctrl+A"), &TfAttachments::ShowAllAttachments));
  auto* addMenu = new QMenu(this);
  addMenu->addAction(command("folder", "Nová &složka", QKeySequence(Qt::Key_F7), &TfAttachments::NewFolder));
  addMenu->addAction(command("text", "Vytvořit nový &textový dokument (TXT)", QKeySequence("Ctrl+T"),
                             &TfAttachments::NewTextDocument));
  addMenu->addAction(command("url", "Vytvořit internetový odkaz (&URL)", QKeySequence("Ctrl+U"), &TfAttachments::NewWebLink));
  addMenu->addAction(command("other", "Vytvořit ji&ný soubor", QKeySequence("Ctrl+N"), &TfAttachments::NewOtherFile));
  addMenu->addSeparator();
  addMenu->addAction(command("file", "Přiložit existující soubor", QKeySequence(Qt::Key_Insert), &TfAttachments::AttachFiles));
  addMenu->addAction(command("dir", "Přiložit existující složku", QKeySequence("Shift+Ins"), &TfAttachments::AttachFolder));
  command("open", "Otevřít přílohu (Enter)", QKeySequence(), &TfAttachments::OpenSelected);
  command("rename", "Přejmenovat (F2)", QKeySequence(Qt::Key_F2), &TfAttachments::RenameSelected);
  command("delete", "Odstranit přílohu (Del)", QKeySequence(QKeySequence::Delete), &TfAttachments::DeleteSelected);
  command("describe", "Editovat popis", QKeySequence(), &TfAttachments::DescribeSelected);

  auto* split = new QSplitter(this);
  tree_ = new QTreeWidget(split);
  tree_->setObjectName("tvAttachments");
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  auto* side = new QWidget(split);
  auto* grid = new QGridLayout(side);
  bigIcon_ = new QLabel(side);
  bigIcon_->setFixedSize(52, 52);
  grid->addWidget(bigIcon_, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(new QLabel(QString::fromUtf8("Druh souboru:"), side), 0, 1);
  kind_ = new QLabel(side);
  kind_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(kind_, 0, 2);
  grid->addWidget(new QLabel(QString::fromUtf8("Velikost souboru:"), side), 1, 1);
  size_ = new QLabel(side);
  grid->addWidget(size_, 1, 2);
  // A picture is shown as itself.
  preview_ = new QLabel(side);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setVisible(false);
  grid->addWidget(preview_, 2, 0, 1, 3);
  auto* descriptionLabel = new QLabel(QString::fromUtf8("Popis:"), side);
  grid->addWidget(descriptionLabel, 3, 0, 1, 3);
  description_ = new QPlainTextEdit(side);
  description_->setReadOnly(true);
  grid->addWidget(description_, 4, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(4, 1);
  split->addWidget(tree_);
  split->addWidget(side);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  layout->addWidget(split, 1);

  auto* row = new QHBoxLayout;
  add_ = new QToolButton(this);
  add_->setText(QString::fromUtf8("Nová příloha"));
  add_->setMenu(addMenu);
  add_->setPopupMode(QToolButton::InstantPopup);
  add_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  row->addWidget(add_);
  auto button = [this, row](const char* name) {
    auto* b = new QPushButton(commands_[name]->text(), this);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, commands_[name], &QAction::trigger);
    connect(commands_[name], &QAction::changed, b, [b, a = commands_[name]] { b->setEnabled(a->isEnabled()); });
    row->addWidget(b);
    return b;
  };
  button("open");
  button("rename");
  button("delete");
  describe_ = button("describe");
  row->addStretch();
  auto* close = new QPushButton(QString::fromUtf8("Zavřít"), this);
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  row->addWidget(close);
  layout->addLayout(row);

  connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { GuardedSlot(kWindow, [&] { SelectionChanged(); }); });
  connect(tree_, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { GuardedSlot(kWindow, [&] { LoadChildren(item); }); });
  connect(tree_, &QTreeWidget::itemActivated, this, [this] { GuardedSlot(kWindow, [&] { OpenSelected(); }); });
  folderIcon_ = QFileIconProvider().icon(QFileIconProvider::Folder);
  resize(860, 540);
  UpdateCommands();
}

QAction* TfAttachments::Command(const char* name) const {
  auto it = commands_.find(name);
  return it == commands_.end() ? nullptr : it->second;
}

void TfAttachments::ClearAttachmentRoots() {
  tree_->clear();
  UpdateCommands();
}

void TfAttachments::AddAttachmentRoot(const std::string& path, bool loadChildren) {
  if (path.empty()) return;
  AddNode(nullptr, path, loadChildren);
}

void TfAttachments::ShowAttachmentWindow(bool modal) {
  description_->clear();
  tree_->setCurrentItem(nullptr);
  SelectionChanged();
  if (modal) {
    // A window shown without blocking must be hidden to become modal.
    if (isVisible()) hide();
    exec();
    return;
  }
  show();
  raise();
  activateWindow();
}

void TfAttachments::ShowAllAttachments() {
  tree_->clear();
  // Thousands of folders: made first, added to the tree in one step.
  QList<QTreeWidgetItem*> items;
  QString type;
  for (const std::string& name : AttachmentRootFolders(services_.place)) {
    const std::string path = services_.place.Root() + "\\" + name;
    auto* item = new QTreeWidgetItem(QStringList(Q(AttachmentDisplayName(services_.owners, path))));
    item->setData(0, kPathRole, Q(path));
    item->setData(0, kLoadedRole, false);
    item->setData(0, kTypeRole, QFileIconProvider().type(QFileInfo(Q(AttachmentRealPath(services_.place, path)))));
    item->setIcon(0, folderIcon_);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    items.push_back(item);
  }
  tree_->addTopLevelItems(items);
  UpdateCommands();
}

void TfAttachments::ShowRoots(const std::vector<std::string>& roots, bool modal) {
  ClearAttachmentRoots();
  for (const std::string& root : roots) AddAttachmentRoot(root, true);
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) tree_->topLevelItem(i)->setExpanded(true);
  ShowAttachmentWindow(modal);
}

bool TfAttachments::IsFolderEntry(const std::string& path) const {
  return IsEntityFolder(path) || AttachmentIsFolder(services_.place, path);
}

QIcon TfAttachments::IconOf(const std::string& path, QString& typeName) {
  const QFileInfo info(Q(AttachmentRealPath(services_.place, path)));
  if (info.isDir()) {
    typeName = QString::fromUtf8("Složka");
    return folderIcon_;
  }
  // One look-up per kind of file.
  const QString suffix = info.suffix().toLower();
  auto it = iconCache_.find(suffix);
  if (it == iconCache_.end()) {
    QFileIconProvider provider;
    it = iconCache_.emplace(suffix, std::make_pair(provider.icon(info), provider.type(info))).first;
  }
  typeName = it->second.second;
  return it->second.first;
}

QTreeWidgetItem* TfAttachments::AddNode(QTreeWidgetItem* parent, const std::string& path, bool loadChildren) {
  const int count = parent ? parent->childCount() : tree_->topLevelItemCount();
  QTreeWidgetItem* item = nullptr;
  for (int i = 0; i < count && !item; ++i) {
    QTreeWidgetItem* candidate = parent ? parent->child(i) : tree_->topLevelItem(i);
    if (PathOf(candidate) == path) item = candidate;
  }
  if (!item) {
    item = new QTreeWidgetItem(QStringList(Q(AttachmentDisplayName(services_.owners, path))));
    item->setData(0, kPathRole, Q(path));
    item->setData(0, kLoadedRole, false);
    if (parent) parent->addChild(item);
    else tree_->addTopLevelItem(item);
  }
  const bool exists = services_.place.fs->FileOrDirExists(path, fdEither);
  QString typeName;
  item->setIcon(0, exists ? IconOf(path, typeName) : folderIcon_);
  item->setData(0, kTypeRole, typeName);
  const bool folder = IsFolderEntry(path) && !AttachmentIsLink(services_.place, path);
  item->setChildIndicatorPolicy(folder ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
  if (folder && loadChildren) LoadChildren(item);
  return item;
}

void TfAttachments::LoadChildren(QTreeWidgetItem* item) {
  if (!item || item->data(0, kLoadedRole).toBool()) return;
  item->setData(0, kLoadedRole, true);
  const std::string path = PathOf(item);
  // A folder reached through a link on the disk is shown, never entered.
  if (AttachmentIsLink(services_.place, path) || !AttachmentIsFolder(services_.place, path)) {
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return;
  }
  for (const std::string& name : AttachmentEntries(services_.place, path)) AddNode(item, path + "\\" + name, true);
  item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* TfAttachments::Selected() const { return tree_->currentItem(); }

std::string TfAttachments::SelectedPath() const { return PathOf(Selected()); }

bool TfAttachments::Select(const std::string& path) {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if (PathOf(*it) == path) {
      tree_->setCurrentItem(*it);
      return true;
    }
  return false;
}

void TfAttachments::SelectionChanged() {
  QTreeWidgetItem* item = Selected();
  preview_->clear();
  preview_->setVisible(false);
  if (!item) {
    description_->clear();
    bigIcon_->clear();
    kind_->clear();
    size_->setText("-");
    UpdateCommands();
    return;
  }
  const std::string path = PathOf(item);
  description_->setPlainText(ToMemoText(ReadAttachmentDescription(services_.place, path)));
  bigIcon_->setPixmap(item->icon(0).pixmap(48, 48));
  const QString type = item->data(0, kTypeRole).toString();
  const QString extension = Q(IsFolderEntry(path) ? "" : FileExtension(LastComponent(path)));
  kind_->setText(type.isEmpty() ? extension : (extension + " (" + type + ")").trimmed());
  const int64_t bytes = AttachmentSize(services_.place, path);
  size_->setText(bytes < 0 ? "-" : Q(FileSizeText(bytes)));
  if (bytes > 0 && bytes < (64 << 20)) {
    QImageReader reader(Q(AttachmentRealPath(services_.place, path)));
    const QSize full = reader.size();
    if (reader.canRead() && full.isValid()) {
      reader.setScaledSize(full.scaled(QSize(320, 200).boundedTo(full), Qt::KeepAspectRatio));
      const QImage picture = reader.read();
      if (!picture.isNull()) {
        preview_->setPixmap(QPixmap::fromImage(picture));
        preview_->setVisible(true);
      }
    }
  }
  LoadChildren(item);
  UpdateCommands();
}

void TfAttachments::UpdateCommands() {
  const std::string path = SelectedPath();
  const bool selected = !path.empty();
  add_->setEnabled(selected);
  for (const char* name : {"folder", "text", "url", "other", "file", "dir", "describe"}) commands_[name]->setEnabled(selected);
  commands_["rename"]->setEnabled(selected && !IsEntityFolder(path));
  commands_["delete"]->setEnabled(selected && !IsEntityFolder(path));
  commands_["open"]->setEnabled(selected && AttachmentIsFile(services_.place, path));
}

bool TfAttachments::AddTarget(std::string& folder, QTreeWidgetItem*& node) const {
  QTreeWidgetItem* item = Selected();
  if (!item) return false;
  if (IsFolderEntry(PathOf(item))) {
    node = item;
  } else {
    node = item->parent();
    if (!node) return false;
  }
  folder = PathOf(node);
  return true;
}

void TfAttachments::AddAndSelect(QTreeWidgetItem* node, const std::string& path) {
  QTreeWidgetItem* item = AddNode(node, path, true);
  if (node) node->setExpanded(true);
  tree_->setCurrentItem(item);
}

void TfAttachments::Report(const TAttachResult& r) {
  const bool warning = r.error == "Neplatný název!" || r.error == "Tuto složku nelze přejmenovat.";
  ShowMessage("Chyba", r.error, warning ? TMsgIcon::Warning : TMsgIcon::Error);
}

void TfAttachments::OpenSelected() {
  const std::string path = SelectedPath();
  if (path.empty() || !AttachmentIsFile(services_.place, path)) return;
  const std::string real = AttachmentRealPath(services_.place, path);
  const std::string extension = UpperAscii(FileExtension(LastComponent(path)));
  bool opened = false;
  if (extension == ".LNK") {
    const std::string target = ShellLinkTarget(TextOfFile(real));
    if (target.empty() || !HostExists(target, fdEither)) {
      ShowMessage("Chyba", "Cíl odkazu \"" + target + "\" nebyl nalezen.", TMsgIcon::Error);
      return;
    }
    opened = GetDesktop().OpenDocument(target);
  } else if (extension == ".URL" && WebScheme(WebLinkAddress(TextOfFile(real)))) {
    opened = GetDesktop().OpenUrl(WebLinkAddress(TextOfFile(real)));
  } else {
    opened = GetDesktop().OpenDocument(real);
  }
  if (!opened) ShowMessage("Chyba", "Přílohu \"" + LastComponent(path) + "\" se nepodařilo otevřít.", TMsgIcon::Error);
}

void TfAttachments::NewFolder() {
  std::string folder;
  QTreeWidgetItem* node = nullptr;
  if (!AddTarget(folder, node)) return;
  std::string name;
  if (!services_.askText("Zadejte název složky", "Název:", name) || name.empty()) return;
  const TAttachResult r = CreateAttachmentFolder(services_.place, folder, name);
  if (!r.ok) return Report(r);
  AddAndSelect(node, r.path);
}

void TfAttachments::NewTextDocument() {
  std::string folder;
  QTreeWidgetItem* node = nullptr;
  if (!AddTarget(folder, node)) return;
  std::string name;
  if (!services_.askText("Zadejte název souboru (bez přípony)", "Název:", name) || name.empty()) return;
  const TAttachResult r = CreateTextAttachment(services_.place, folder, name);
  if (!r.ok) return Report(r);
  AddAndSelect(node, r.path);
  GetDesktop().OpenDocument(AttachmentRealPath(services_.place, r.path));
}

void TfAttachments::NewWebLink() {
  std::string folder;
  QTreeWidgetItem* node = nullptr;
  if (!AddTarget(folder, node)) return;
  std::string address = "http://";
  if (!services_.askText("Zadejte internetovou adresu", "URL:", address)) return;
  address = TrimBlanks(address);
  if (address.empty() || address == "http://") return;
  address = WebAddress(address);
  std::string title;
  {
    TWaitCursor wait;
    title = services_.proposeTitle(address);
  }
  if (!services_.askText("Zadejte název stránky", "Název:", title)) return;
  const TAttachResult r = CreateWebLinkAttachment(services_.place, folder, title, address);
  if (!r.ok) return Report(r);
  AddAndSelect(node, r.path);
}

void TfAttachments::AttachPaths(const std::vector<std::string>& sources) {
  std::string folder;
  QTreeWidgetItem* node = nullptr;
  if (sources.empty() || !AddTarget(folder, node)) return;
  TAttachMode mode = TAttachMode::Link;
  if (!services_.askMode(mode)) return;
  for (const std::string& source : sources) {
    TAttachResult r;
    {
      TWaitCursor wait;
      r = AttachExisting(services_.place, folder, source, mode);
    }
    if (!r.ok) Report(r);
    else AddAndSelect(node, r.path);
  }
}

void TfAttachments::AttachFiles() {
  std::string folder;
  QTreeWidgetItem* node = nullptr;
  if (!AddTarget(folder, node)) return;
  AttachPaths(services_.askFiles());
}

void TfAttachments::AttachFolder() {
  std::string folder;
  QTreeWidgetItem* node = nullptr;
  if (!AddTarget(folder, node)) return;
  const std::string chosen = services_.askFolder();
  if (!chosen.empty()) AttachPaths({chosen});
}

void TfAttachments::NewOtherFile() {
  std::string folder;
  QTreeWidgetItem* node = nullptr;
  if (!AddTarget(folder, node)) return;
  if (services_.documentsFolder.empty()) {
    ShowMessage("Chyba", "Nemohu nalézt umístění adresáře s dokumenty", TMsgIcon::Error);
    return;
  }
  const std::string drop = services_.documentsFolder + (services_.documentsFolder.back() == '/' ? "" : "/") + "Garvel";
  CRealFileSystem host;
  if (!host.ForceDirectories(drop)) {
    ShowMessage("Chyba", "Nemohu vytvořit adresář \"" + drop + "\".", TMsgIcon::Error);
    return;
  }
  TFileList names;
  host.ListFiles(drop + "/*.*", fdEither, names);
  if (names.empty()) {
    const std::string text = "Otevřete, prosím, příslušnou aplikaci a soubor uložte do složky\n\nMoje dokumenty\\Garvel (" +
                             drop + ")\n\na poté klikněte na tlačítko OK. Soubor bude stažen mezi přílohy.";
    if (ShowMessage("Vytvoření nové přílohy", text, TMsgIcon::Information, mbOKCancel) != TMsgAnswer::Ok) return;
    host.ListFiles(drop + "/*.*", fdEither, names);
    if (names.empty()) {
      ShowMessage("Chyba", "Žádný soubor nebyl uložen.", TMsgIcon::Warning);
      return;
    }
  }
  std::string question = "Pokračovat v přiložení těchto souborů?";
  for (const std::string& n : names) question += "\r\n" + n;
  if (!AskYesNo("Dotaz", question, true)) return;
  for (const std::string& n : names) {
    const TAttachResult r = AttachExisting(services_.place, folder, drop + "/" + n, TAttachMode::Move);
    if (!r.ok) Report(r);
    else AddAndSelect(node, r.path);
  }
}

void TfAttachments::RenameSelected() {
  QTreeWidgetItem* item = Selected();
  if (!item) return;
  const std::string path = PathOf(item);
  if (IsEntityFolder(path)) {
    ShowMessage("Chyba", "Tuto složku nelze přejmenovat.", TMsgIcon::Warning);
    return;
  }
  const std::string oldName = LastComponent(path);
  std::string typed = oldName;
  if (!services_.askText("Přejmenování přílohy (" + S(item->text(0)) + ")", "Nový název:", typed)) return;
  if (typed.empty() || typed == oldName) return;
  bool keepExtension = false;
  if (FileExtension(typed) != FileExtension(oldName) && !AttachmentIsFolder(services_.place, path))
    keepExtension = ShowMessage("Změnil jste příponu (typ) souboru", "Opravdu chcete změnit příponu souboru?",
                                TMsgIcon::Question, mbYesNo, TMsgAnswer::No) != TMsgAnswer::Yes;
  const TAttachResult r = RenameAttachment(services_.place, path, RenamedName(oldName, typed, keepExtension));
  if (!r.ok) return Report(r);
  // The node takes the new path; a folder's entries are read again under it.
  qDeleteAll(item->takeChildren());
  item->setData(0, kPathRole, Q(r.path));
  item->setData(0, kLoadedRole, false);
  item->setText(0, Q(AttachmentDisplayName(services_.owners, r.path)));
  AddNode(item->parent(), r.path, true);
  SelectionChanged();
}

void TfAttachments::DescribeSelected() {
  QTreeWidgetItem* item = Selected();
  if (!item) return;
  const std::string path = PathOf(item);
  const std::string old = ReadAttachmentDescription(services_.place, path);
  const std::string text = services_.editText("Popis přílohy \"" + S(item->text(0)) + "\"", old);
  // The editor gives CR LF breaks; an unchanged text is not written again.
  if (text == FromMemoText(ToMemoText(old))) return;
  if (!WriteAttachmentDescription(services_.place, path, text))
    ShowMessage("Chyba", "Popis přílohy se nepodařilo uložit.", TMsgIcon::Error);
  SelectionChanged();
}

void TfAttachments::DeleteSelected() {
  QTreeWidgetItem* item = Selected();
  if (!item || IsEntityFolder(PathOf(item))) return;
  if (!AskYesNo("Dotaz", "Opravdu chcete smazat přílohu \"" + S(item->text(0)) + "\"?", false)) return;
  const TAttachResult r = DeleteAttachment(services_.place, PathOf(item));
  if (!r.ok) return Report(r);
  delete item;
  SelectionChanged();
}

std::string UserDocumentsFolder() {
  return S(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

TAttachmentsServices ProgramAttachmentsServices(const TAttachmentPlace& place, const TAttachmentOwners& owners,
                                                QWidget* parent) {
  TAttachmentsServices s;
  s.place = place;
  s.owners = owners;
  // Questions belong to the window the user works in.
  auto active = [parent] { return QApplication::activeWindow() ? QApplication::activeWindow() : parent; };
  s.askText = [active](const std::string& caption, const std::string& label, std::string& value) {
    bool ok = false;
    const QString text = QInputDialog::getText(active(), Q(caption), Q(label), QLineEdit::Normal, Q(value), &ok);
    if (ok) value = S(text);
    return ok;
  };
  s.askFiles = [active] {
    std::vector<std::string> files;
    for (const QString& f : QFileDialog::getOpenFileNames(active(), QString::fromUtf8("Přiložit existující soubor")))
      files.push_back(S(f));
    return files;
  };
  s.askFolder = [] { return GetDesktop().AskFolder("Zvolte složku, kterou chcete přiložit", ""); };
  s.askMode = [active](TAttachMode& mode) { return AskAttachMode(active(), mode); };
  s.editText = [active](const std::string& title, const std::string& text) {
    return EditPlainText(title, text, false, active());
  };
  s.proposeTitle = [](const std::string& address) { return ProposedWebLinkTitle(address); };
  s.documentsFolder = UserDocumentsFolder();
  return s;
}

TfAttachments* CreateProgramAttachmentsWindow(TStoreSet& stores, const std::string& root, QWidget* parent) {
  const TAttachmentOwners owners{stores.cars.get(), stores.customers.get(), CatalogueOf(stores)};
  return new TfAttachments(ProgramAttachmentsServices(AttachmentPlaceOf(GetVirtualFS(), root), owners, parent), parent);
}
