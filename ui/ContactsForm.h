#pragma once
// "Seznam kontaktů": the contact list, for managing contacts and as the owner
// chooser.

#include <QDialog>
#include <QImage>
#include <functional>
#include <vector>

#include "catalogues/ContactRecord.h"

class QLineEdit;
class QPushButton;
class QStandardItemModel;
class TBackgroundTableView;
class TCustomCarDb;
class TCustomDb;

class TcontactsForm : public QDialog {
  Q_OBJECT

 public:
  TcontactsForm(TCustomDb& customers, TCustomCarDb& cars, QWidget* parent = nullptr);

  // Opens the list: -2 manages contacts; any other ID chooses one, selecting
  // that contact. Returns the selected contact's ID when the window closes,
  // or -1 when no row is selected.
  int32_t Choose(int32_t id);
  void SetBackground(const QImage& picture);
  // After contacts changed: the vehicle list refreshes its owners.
  std::function<void()> onContactsChanged;

  // For tests: the shown rows and the search box.
  int RowCount() const;
  QLineEdit* SearchBox() { return search_; }
  void SelectRow(int row);
  void AddContactCommand();
  void EditSelected();
  void DeleteSelected();

 private:
  void Refill(int32_t selectID);
  int32_t SelectedID() const;
  int SelectedIndex() const;  // into contacts_
  void UpdateButtons();
  void PrintList();

  TCustomDb& customers_;
  TCustomCarDb& cars_;
  std::vector<TContactRecord> contacts_;
  std::vector<size_t> shown_;
  bool manage_ = false;
  QLineEdit* search_;
  TBackgroundTableView* view_;
  QStandardItemModel* model_;
  QPushButton *add_, *show_, *delete_, *mail_, *map_, *print_, *close_;
};

// The list as the owner chooser (any ID) or for management (-2).
int32_t ChooseContact(TCustomDb& customers, TCustomCarDb& cars, int32_t id, QWidget* parent = nullptr,
                      const QImage& background = {});
