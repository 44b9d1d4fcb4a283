#include "ui/ConfigWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "storage/FileSystemSetup.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"
#include "storage/Picture.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// Multi-line fields show CR LF as line breaks.
QString FromCrLf(const std::string& text) { return Q(text).replace("\r\n", "\n"); }
std::string ToCrLf(const QString& text) {
  QString t = text;
  return S(t.replace("\n", "\r\n"));
}


struct TPictureKey {
  const char* key;
  const char* caption;
};
// Fields read back as numbers: a typo there must not silently become 0.
const char* const kNumberKeys[] = {"taxrate",    "roundto",      "hourrate",   "kmcalcmonths", "updateperiod",
                                   "odaysretro", "odaysadvance", "sdaysretro", "sdaysadvance", "backupinterval"};

const TPictureKey kPictures[] = {
    {"bgmain", "Pozadí seznamu vozidel:"}, {"bgcontacts", "Pozadí seznamu kontaktů:"},
    {"bgrec", "Pozadí záznamů:"},          {"bgprint", "Logo pro tisk:"},
    {"bgsignature", "Razítko / podpis na fakturách:"},
};

QImage PreviewOf(const std::string& path) {
  if (path.empty() || !FileSystemsReady()) return QImage();
  std::string real = path[0] == '/' ? path : GetVirtualFS().GetRealPath(path);
  TPicture p;
  if (!LoadJpeg(real, p)) return QImage();
  TPicture fitted = FitPicture(p, 120, 80, 0xFFFFFF);
  return QImage(fitted.rgb.data(), fitted.width, fitted.height, fitted.width * 3, QImage::Format_RGB888).copy();
}

}  // namespace

TfConfig::TfConfig(std::function<std::vector<std::string>()> suppliers, std::function<void()> setPassword,
                   QWidget* parent)
    : QDialog(parent), suppliers_(std::move(suppliers)), setPassword_(std::move(setPassword)) {
  setWindowTitle(QString::fromUtf8("Nastavení"));
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->addTab(PicturePage(), QString::fromUtf8("Pozadí"));
  pages_->addTab(RecordsPage(), QString::fromUtf8("Zadávání záznamů"));
  pages_->addTab(MailPage(), QString::fromUtf8("E-maily"));
  pages_->addTab(InternetPage(), QString::fromUtf8("Internet"));
  pages_->addTab(ProgramsPage(), QString::fromUtf8("Programy"));
  pages_->addTab(WorkshopPage(), QString::fromUtf8("Informace o autoservisu"));
  pages_->addTab(DueServicePage(), QString::fromUtf8("Blížící se servis"));
  pages_->addTab(DataPage(), QString::fromUtf8("Ochrana dat"));
  workshopPages_ = {pages_->widget(1), pages_->widget(5)};
  layout->addWidget(pages_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText("Storno");
  connect(buttons, &QDialogButtonBox::accepted, this, &TfConfig::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(920, 600);
}

QLineEdit* TfConfig::Edit(const std::string& key) {
  auto* e = new QLineEdit(this);
  edits_[key] = e;
  return e;
}

QPlainTextEdit* TfConfig::Memo(const std::string& key) {
  auto* m = new QPlainTextEdit(this);
  m->setTabChangesFocus(true);
  memos_[key] = m;
  return m;
}

QCheckBox* TfConfig::Check(const std::string& key, const char* caption) {
  auto* c = new QCheckBox(QString::fromUtf8(caption), this);
  checks_[key] = c;
  return c;
}

QWidget* TfConfig::PicturePage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  for (const TPictureKey& p : kPictures) {
    auto* row = new QHBoxLayout;
    QLineEdit* path = Edit(p.key);
    auto* preview = new QLabel(page);
    preview->setFixedSize(120, 80);
    preview->setFrameShape(QFrame::StyledPanel);
    previews_[p.key] = preview;
    auto* pick = new QPushButton(QString::fromUtf8("Vybrat soubor"), page);
    auto* clear = new QPushButton(QString::fromUtf8("Smazat"), page);
    row->addWidget(path, 1);
    row->addWidget(pick);
    row->addWidget(clear);
    row->addWidget(preview);
    form->addRow(QString::fromUtf8(p.caption), row);
    const std::string key = p.key;
    connect(pick, &QPushButton::clicked, this, [this, key, path] {
      QString file = QFileDialog::getOpenFileName(this, QString::fromUtf8("Vybrat obrázek"), QString(),
                                                  QString::fromUtf8("Obrázky JPEG (*.jpg *.jpeg *.JPG *.JPEG)"));
      if (file.isEmpty()) return;
      path->setText(file);
      ShowPreview(key);
    });
    connect(clear, &QPushButton::clicked, this, [this, key, path] {
      path->clear();
      ShowPreview(key);
    });
    connect(path, &QLineEdit::editingFinished, this, [this, key] { ShowPreview(key); });
  }
  return page;
}

void TfConfig::ShowPreview(const std::string& key) {
  QImage image = PreviewOf(S(edits_[key]->text()));
  previews_[key]->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

QWidget* TfConfig::RecordsPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  recordMode_ = new QComboBox(page);
  recordMode_->addItems({QString::fromUtf8("graficky"), QString::fromUtf8("pouze textově")});
  form->addRow(QString::fromUtf8("Zadávání záznamů:"), recordMode_);
  form->addRow(Check("simplerecords", "Zjednodušené záznamy (pouze jedno textové pole)"));
  form->addRow(Check("instantsave", "Ukládat změny záznamů okamžitě"));
  form->addRow(QString::fromUtf8("Sazba DPH (%):"), Edit("taxrate"));
  form->addRow(Check("taxpaid", "Autoservis je plátcem DPH"));
  form->addRow(Check("invoicerounding", "Zaokrouhlovat celkové částky"));
  form->addRow(QString::fromUtf8("Zaokrouhlovat na:"), Edit("roundto"));
  form->addRow(QString::fromUtf8("Hodinová sazba:"), Edit("hourrate"));
  form->addRow(QString::fromUtf8("Měna:"), Edit("currency"));
  form->addRow(QString::fromUtf8("Nadpis faktury:"), Edit("invoicename"));
  form->addRow(QString::fromUtf8("Nadpis proforma faktury:"), Edit("proforminvoicename"));
  form->addRow(QString::fromUtf8("Nadpis zjednodušeného dokladu:"), Edit("simpleinvoicename"));
  form->addRow(QString::fromUtf8("Dodatečné informace nového vozidla:"), Memo("addvehinfo"));
  return page;
}

QWidget* TfConfig::MailPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* customers = new QGroupBox(QString::fromUtf8(" Oznámení zákazníkům "), page);
  auto* cform = new QFormLayout(customers);
  cform->addRow(QString::fromUtf8("Předmět:"), Edit("usersubj"));
  cform->addRow(QString::fromUtf8("Text:"), Memo("custmailtext"));
  cform->addRow(new QLabel(QString::fromUtf8("Zástupné texty: %ZNACKA, %SPZ, %DATUM, %KM, %TEXT"), customers));
  layout->addWidget(customers);
  workshopGroups_.push_back(customers);
  auto* order = new QGroupBox(QString::fromUtf8(" Objednávka dílů "), page);
  auto* oform = new QFormLayout(order);
  oform->addRow(QString::fromUtf8("Předmět:"), Edit("ordersubj"));
  orderAddress_ = new QComboBox(order);
  orderAddress_->setEditable(true);
  oform->addRow(QString::fromUtf8("Adresa:"), orderAddress_);
  oform->addRow(QString::fromUtf8("Text:"), Memo("ordertext"));
  layout->addWidget(order);
  return page;
}

QWidget* TfConfig::InternetPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* web = new QGroupBox(QString::fromUtf8(" Webservice "), page);
  auto* wform = new QFormLayout(web);
  wform->addRow(QString::fromUtf8("Adresa:"), Edit("webserviceurl"));
  wform->addRow(QString::fromUtf8("Přihlašovací jméno:"), Edit("webservicelogin"));
  QLineEdit* pwd = Edit("webservicepwd");
  pwd->setEchoMode(QLineEdit::Password);
  wform->addRow(QString::fromUtf8("Heslo:"), pwd);
  mailMethod_ = new QComboBox(web);
  mailMethod_->addItems({QString::fromUtf8("Vždy použít klienta"), QString::fromUtf8("Použít klienta pro editovatelné"),
                         QString::fromUtf8("Vždy použít webservice")});
  wform->addRow(QString::fromUtf8("Odesílání e-mailů:"), mailMethod_);
  layout->addWidget(web);
  workshopGroups_.push_back(web);
  auto* other = new QGroupBox(QString::fromUtf8(" Ostatní "), page);
  auto* oform = new QFormLayout(other);
  oform->addRow(QString::fromUtf8("Mapy (%ADRESA):"), Edit("mapsurl"));
  oform->addRow(QString::fromUtf8("Telefonní seznam:"), Edit("phonebookurl"));
  oform->addRow(Check("autoupdate", "Automaticky kontrolovat novou verzi"));
  oform->addRow(QString::fromUtf8("Interval kontroly (dní, 0–180):"), Edit("updateperiod"));
  layout->addWidget(other);
  layout->addStretch();
  return page;
}

QWidget* TfConfig::ProgramsPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  form->addRow(QString::fromUtf8("Kalendář:"), Edit("calend"));
  form->addRow(QString::fromUtf8("Časovač (Tikoměr):"), Edit("timer"));
  return page;
}

QWidget* TfConfig::WorkshopPage() {
  auto* page = new QWidget(this);
  auto* layout = new QHBoxLayout(page);
  auto* left = new QFormLayout;
  const char* fields[][2] = {{"name", "Název:"},     {"street", "Ulice:"}, {"city", "Město:"},   {"postalCode", "PSČ:"},
                             {"phones", "Telefon:"}, {"email", "E-mail:"}, {"www", "WWW:"},     {"icq", "ICQ:"},
                             {"skype", "Skype:"},    {"ico", "IČO:"},      {"dic", "DIČ:"},     {"motto", "Motto:"}};
  for (auto& f : fields) left->addRow(QString::fromUtf8(f[1]), Edit(f[0]));
  layout->addLayout(left, 1);
  auto* accounts = new QVBoxLayout;
  static const char* const kDigits[4] = {"", "1", "2", "3"};
  for (int i = 0; i < 4; ++i) {
    auto* box = new QGroupBox(QString::fromUtf8("Účet %1").arg(i + 1), page);
    auto* form = new QFormLayout(box);
    form->addRow(QString::fromUtf8("Banka:"), Edit(std::string("bankName") + kDigits[i]));
    form->addRow(QString::fromUtf8("Číslo účtu:"), Edit(std::string("accountNr") + kDigits[i]));
    form->addRow(QString::fromUtf8("IBAN:"), Edit(std::string("iban") + kDigits[i]));
    accounts->addWidget(box);
  }
  layout->addLayout(accounts, 1);
  return page;
}

QWidget* TfConfig::DueServicePage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* window = new QGroupBox(QString::fromUtf8(" Okno blížícího se servisu "), page);
  auto* wform = new QFormLayout(window);
  wform->addRow(Check("autoopen", "Otevřít při spuštění"));
  wform->addRow(QString::fromUtf8("Dní zpět:"), Edit("odaysretro"));
  wform->addRow(QString::fromUtf8("Dní dopředu:"), Edit("odaysadvance"));
  // It drives the due dates, so the customer edition offers it too.
  wform->addRow(QString::fromUtf8("Odhad km z historie (měsíců):"), Edit("kmcalcmonths"));
  wform->addRow(Check("unpaidautoopen", "Při spuštění zobrazit nezaplacené zakázky"));
  layout->addWidget(window);
  auto* sending = new QGroupBox(QString::fromUtf8(" Automatické odesílání e-mailů "), page);
  auto* sform = new QFormLayout(sending);
  sform->addRow(Check("autosend", "Odesílat upozornění automaticky při spuštění"));
  sform->addRow(QString::fromUtf8("Dní zpět:"), Edit("sdaysretro"));
  sform->addRow(QString::fromUtf8("Dní dopředu:"), Edit("sdaysadvance"));
  layout->addWidget(sending);
  auto* machine = new QGroupBox(QString::fromUtf8(" Identifikace počítače "), page);
  auto* mform = new QVBoxLayout(machine);
  allowSending_ = new QCheckBox(QString::fromUtf8("Povolit odesílání z tohoto počítače"), machine);
  mform->addWidget(allowSending_);
  layout->addWidget(machine);
  layout->addStretch();
  workshopGroups_.push_back(sending);
  workshopGroups_.push_back(machine);
  return page;
}

QWidget* TfConfig::DataPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  form->addRow(Check("autobackup", "Automaticky zálohovat"));
  form->addRow(QString::fromUtf8("Interval zálohování (dní):"), Edit("backupinterval"));
  auto* password = new QPushButton(QString::fromUtf8("Nastavit přístupové heslo"), page);
  password->setEnabled(static_cast<bool>(setPassword_));
  connect(password, &QPushButton::clicked, this, [this] { setPassword_(); });
  form->addRow(password);
  return page;
}

void TfConfig::initialize(const TConfig& c) {
  auto set = [this](const char* key, const std::string& v) { edits_.at(key)->setText(Q(v)); };
  auto num = [this](const char* key, double v) { edits_.at(key)->setText(Q(IniNumber(v))); };
  auto memo = [this](const char* key, const std::string& v) { memos_.at(key)->setPlainText(FromCrLf(v)); };
  auto check = [this](const char* key, bool v) { checks_.at(key)->setChecked(v); };
  set("bgmain", c.bgmain);
  set("bgcontacts", c.bgcontacts);
  set("bgrec", c.bgrec);
  set("bgprint", c.bgprint);
  set("bgsignature", c.bgsignature);
  for (const TPictureKey& p : kPictures) ShowPreview(p.key);
  recordMode_->setCurrentIndex(c.usegraphmode ? 0 : 1);
  check("simplerecords", c.simplerecords);
  check("instantsave", c.instantsave);
  num("taxrate", c.taxrate);
  check("taxpaid", c.taxpaid);
  check("invoicerounding", c.invoicerounding);
  num("roundto", c.roundto);
  num("hourrate", c.hourrate);
  set("currency", c.currency);
  set("invoicename", c.invoicename);
  set("proforminvoicename", c.proforminvoicename);
  set("simpleinvoicename", c.simpleinvoicename);
  num("kmcalcmonths", c.kmcalcmonths);
  memo("addvehinfo", c.addvehinfo);
  set("usersubj", c.usersubj);
  memo("custmailtext", c.custmailtext);
  set("ordersubj", c.ordersubj);
  orderAddress_->clear();
  if (suppliers_)
    for (const std::string& s : suppliers_()) orderAddress_->addItem(Q(s));
  orderAddress_->setEditText(Q(c.orderaddr));
  memo("ordertext", c.ordertext);
  set("webserviceurl", c.webserviceurl);
  set("webservicelogin", c.webservicelogin);
  set("webservicepwd", c.webservicepwd);
  mailMethod_->setCurrentIndex(std::clamp(c.webserviceemailmethod, 0, 2));
  set("mapsurl", c.mapsurl);
  set("phonebookurl", c.phonebookurl);
  check("autoupdate", c.autoupdate);
  num("updateperiod", c.updateperiod);
  set("calend", c.calend);
  set("timer", c.timer);
  set("name", c.name);
  set("street", c.street);
  set("city", c.city);
  set("postalCode", c.postalCode);
  set("phones", c.phones);
  set("email", c.email);
  set("www", c.www);
  set("icq", c.icq);
  set("skype", c.skype);
  set("ico", c.ico);
  set("dic", c.dic);
  set("motto", c.motto);
  static const char* const kDigits[4] = {"", "1", "2", "3"};
  for (int i = 0; i < 4; ++i) {
    edits_.at(std::string("bankName") + kDigits[i])->setText(Q(c.bankName[i]));
    edits_.at(std::string("accountNr") + kDigits[i])->setText(Q(c.accountNr[i]));
    edits_.at(std::string("iban") + kDigits[i])->setText(Q(c.iban[i]));
  }
  check("autoopen", c.autoopen);
  num("odaysretro", c.odaysretro);
  num("odaysadvance", c.odaysadvance);
  check("unpaidautoopen", c.unpaidautoopen);
  check("autosend", c.autosend);
  num("sdaysretro", c.sdaysretro);
  num("sdaysadvance", c.sdaysadvance);
  allowSending_->setChecked(!c.autoSendDisallowed);
  check("autobackup", c.autobackup);
  num("backupinterval", c.backupinterval);
}

void TfConfig::save(TConfig& c) const {
  auto text = [this](const char* key) { return S(edits_.at(key)->text()); };
  auto number = [this](const char* key) { return SettingsNumber(S(edits_.at(key)->text())); };
  auto whole = [this](const char* key) { return SettingsInteger(S(edits_.at(key)->text())); };
  auto memo = [this](const char* key) { return ToCrLf(memos_.at(key)->toPlainText()); };
  auto check = [this](const char* key) { return checks_.at(key)->isChecked(); };
  c.bgmain = text("bgmain");
  c.bgcontacts = text("bgcontacts");
  c.bgrec = text("bgrec");
  c.bgprint = text("bgprint");
  c.bgsignature = text("bgsignature");
  c.usegraphmode = recordMode_->currentIndex() == 0;
  c.simplerecords = check("simplerecords");
  c.instantsave = check("instantsave");
  c.taxrate = number("taxrate");
  c.taxpaid = check("taxpaid");
  c.invoicerounding = check("invoicerounding");
  c.roundto = RoundingStepFromText(text("roundto"));
  c.hourrate = number("hourrate");
  c.currency = text("currency");
  c.invoicename = text("invoicename");
  c.proforminvoicename = text("proforminvoicename");
  c.simpleinvoicename = text("simpleinvoicename");
  c.kmcalcmonths = whole("kmcalcmonths");
  c.addvehinfo = memo("addvehinfo");
  c.usersubj = text("usersubj");
  c.custmailtext = memo("custmailtext");
  c.ordersubj = text("ordersubj");
  c.orderaddr = S(orderAddress_->currentText());
  c.ordertext = memo("ordertext");
  c.webserviceurl = text("webserviceurl");
  c.webservicelogin = text("webservicelogin");
  c.webservicepwd = text("webservicepwd");
  c.webserviceemailmethod = mailMethod_->currentIndex();
  c.mapsurl = text("mapsurl");
  c.phonebookurl = text("phonebookurl");
  c.autoupdate = check("autoupdate");
  c.updateperiod = std::clamp(whole("updateperiod"), 0, 180);
  c.calend = text("calend");
  c.timer = text("timer");
  c.name = text("name");
  c.street = text("street");
  c.city = text("city");
  c.postalCode = text("postalCode");
  c.phones = text("phones");
  c.email = text("email");
  c.www = text("www");
  c.icq = text("icq");
  c.skype = text("skype");
  c.ico = text("ico");
  c.dic = text("dic");
  c.motto = text("motto");
  static const char* const kDigits[4] = {"", "1", "2", "3"};
  for (int i = 0; i < 4; ++i) {
    c.bankName[i] = S(edits_.at(std::string("bankName") + kDigits[i])->text());
    c.accountNr[i] = S(edits_.at(std::string("accountNr") + kDigits[i])->text());
    c.iban[i] = S(edits_.at(std::string("iban") + kDigits[i])->text());
  }
  c.autoopen = check("autoopen");
  c.odaysretro = whole("odaysretro");
  c.odaysadvance = whole("odaysadvance");
  c.unpaidautoopen = check("unpaidautoopen");
  c.autosend = check("autosend");
  c.sdaysretro = whole("sdaysretro");
  c.sdaysadvance = whole("sdaysadvance");
  c.autoSendDisallowed = !allowSending_->isChecked();
  c.autobackup = check("autobackup");
  c.backupinterval = whole("backupinterval");
}

void TfConfig::accept() {
  for (const char* key : kNumberKeys) {
    QLineEdit* edit = edits_.at(key);
    std::string text = S(edit->text().trimmed());
    if (text.empty() || IsNumber(text)) continue;
    for (int i = 0; i < pages_->count(); ++i)
      if (pages_->widget(i)->isAncestorOf(edit)) pages_->setCurrentIndex(i);
    ShowError("Hodnota \"" + text + "\" není platné číslo. Opravte ji, prosím.");
    edit->setFocus();
    edit->selectAll();
    return;
  }
  QDialog::accept();
}

void TfConfig::HideWorkshopParts() {
  for (QGroupBox* g : workshopGroups_) g->hide();
  for (QWidget* page : workshopPages_) pages_->setTabVisible(pages_->indexOf(page), false);
}

bool ShowSettings(TConfig& config, std::function<std::vector<std::string>()> suppliers,
                  std::function<void()> setPassword, QWidget* parent) {
  TfConfig window(std::move(suppliers), std::move(setPassword), parent);
  return ShowSettings(window, config);
}

bool ShowSettings(TfConfig& window, TConfig& config) {
  window.initialize(config);
  if (IsCustomerEdition()) window.HideWorkshopParts();
  if (window.exec() != QDialog::Accepted) return false;
  window.save(config);
  ApplyConfig(config);
  if (!SaveConfig(config)) ShowError("Nastavení se nepodařilo uložit.");
  return true;
}
