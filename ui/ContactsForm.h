#pragma once
// "Seznam kontaktů": the contact list, for managing contacts and as the owner
// chooser. The rows, their search and order are a TContactList; the window
// reads its controls, calls the core and shows the result.

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>

#include "catalogues/ContactList.h"

class QLineEdit;
class QPushButton;
class TBackgroundTableView;
class TContactListModel;
class TcontactDetail;
class TCustomCarDb;
class TCustomDb;

class TcontactsForm : public QDialog {
  Q_OBJECT

 public:
  TcontactsForm(TCustomDb& customers, TCustomCarDb& cars, QWidget* parent = nullptr);
  ~TcontactsForm() override;

  // Opens the list modally: -2 manages contacts ("Odstranit kontakt"
  // enabled, "Zavřít"); any other ID chooses one ("Vybrat"), selecting that
  // contact when it is shown. Returns the ID of the contact whose row is
  // selected when the window closes, however it is closed, or -1.
  int32_t Choose(int32_t id);
  void SetBackground(const QImage& picture);
  // The print logo (`bgprint`) and the page picture for "Tisknout".
  void SetPrintPictures(const QImage& printLogo, const QImage& pagePicture);
  // After a contact was added, changed or deleted, with its ID: the vehicle
  // list refreshes the rows of that owner's vehicles.
  std::function<void(int32_t contactID)> onContactChanged;

  // For tests and callers: the rows, the search box and the commands.
  const TContactList& List() const { return list_; }
  int RowCount() const { return list_.RowCount(); }
  QLineEdit* SearchBox() { return search_; }
  TBackgroundTableView* View() { return view_; }
  int32_t SelectedID() const;
  void SelectRow(int row);
  void AddContactCommand();
  void EditSelected();
  void DeleteSelected();
  // The detail window this list opens, kept with it.
  TcontactDetail& Detail() { return *detail_; }

 private:
  int SelectedRow() const;
  void SearchChanged();
  void HeaderClicked(int column);
  void UpdateButtons();
  void SendEmail();
  void ShowOnMap();
  void PrintList();

  TCustomDb& customers_;
  TCustomCarDb& cars_;
  TContactList list_;
  std::unique_ptr<TContactListModel> model_;
  bool manage_ = false;
  QImage printLogo_, pagePicture_;
  QLineEdit* search_;
  TBackgroundTableView* view_;
  QPushButton *add_, *show_, *delete_, *mail_, *map_, *print_, *close_;
  TcontactDetail* detail_;
};

// The list as the owner chooser (any ID) or for management (-2), in a window
// of its own for this one call (the program keeps one TcontactsForm).
int32_t ChooseContact(TCustomDb& customers, TCustomCarDb& cars, int32_t id, QWidget* parent = nullptr,
                      const QImage& background = {});
