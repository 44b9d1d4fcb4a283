#pragma once
// The vehicle window: registers a new vehicle or changes an existing one.
// Its rules are the core's (servicebook/VehicleForm.h): each handler copies
// the controls into the core, calls it and shows what it holds afterwards.
// The controls carry their names as object names (CSPZ, CMake, CVIN, ...).

#include <QDialog>
#include <cstdint>

#include "servicebook/VehicleForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class TCustomCarDb;
struct TStoreSet;

class TNovyForm : public QDialog {
  Q_OBJECT

 public:
  TNovyForm(TCustomCarDb& cars, const TVehicleFormServices& services, QWidget* parent = nullptr);

  void OpenNew();
  void OpenChange(const Tautomobil& vehicle);
  TVehicleForm& Form() { return form_; }

 private:
  void BuildControls();
  void ReadControls();
  void ShowState();
  void ShowLists();
  // Runs a core event between reading and showing the controls; events the
  // window causes itself while showing are ignored.
  template <typename Event>
  void Handle(Event event);
  void btnAddClick();

  TVehicleForm form_;
  bool showing_ = false;
  int listsShown_ = -1;

  QLineEdit *CSPZ_, *CengCode_, *Cbarva_, *Crok_, *CVIN_;
  QComboBox *CMake_, *CModel_, *Csubtype_, *Cmotor_;
  QSpinBox* seMonth_;
  QPushButton *sbAnalyseVIN_, *btnChooseOwner_, *btnAdd_, *btnStorno_;
  QLabel *tagWarning_, *vinWarning_;
  QGroupBox* ownerBox_;
  QLineEdit *USurname_, *UFirstName_, *Ustreet_, *UCity_, *Utelefon_, *Umail_, *UothContact_;
  QPlainTextEdit* Uinfo_;
};

// "Přidat" of the main window: the new vehicle's ID, or -1 when cancelled
// (or when it could not be stored, which has been reported).
int32_t NewVehicle(TStoreSet& stores, const TVehicleFormServices& services, QWidget* parent = nullptr);
// The records window's vehicle data: on confirmation the copy is
// overwritten from the window and true is returned; storing it is the
// caller's.
bool ChangeVehicle(Tautomobil& vehicle, TStoreSet& stores, const TVehicleFormServices& services,
                   QWidget* parent = nullptr);
// The same in the vehicle window the program keeps.
int32_t NewVehicle(TNovyForm& window);
bool ChangeVehicle(TNovyForm& window, Tautomobil& vehicle);
