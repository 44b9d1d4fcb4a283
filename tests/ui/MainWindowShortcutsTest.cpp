#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "tests/ui/TestApplication.h"
#include "ui/HlavniForm.h"

namespace {

// Presses the keys in the window as a user would: the window is made the
// active one first, so shortcuts are matched against it.
void PressIn(QWidget& window, QWidget* focus, QKeyCombination keys) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  focus->setFocus();
  QTest::keyClick(focus, keys.key(), keys.keyboardModifiers());
}

}  // namespace

// Another window of the program (a records window, the attachments window)
// has keys of its own; the main list's commands must not fire there.
TEST(MainWindowShortcuts, ActOnlyWhileTheMainWindowIsActive) {
  TestApplication();
  THlavniForm main;
  int removed = 0, printed = 0;
  main.SetCommandHandler(TCommand::RemoveVehicle, [&] { ++removed; });
  main.SetCommandHandler(TCommand::PrintVehicleList, [&] { ++printed; });
  main.show();

  QWidget other;
  auto* edit = new QLineEdit(&other);
  (new QVBoxLayout(&other))->addWidget(edit);
  other.show();
  for (QKeyCombination k : {Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_P}) PressIn(other, edit, k);
  EXPECT_EQ(removed, 0);
  EXPECT_EQ(printed, 0);

  PressIn(main, &main, Qt::CTRL | Qt::Key_O);
  EXPECT_EQ(removed, 1);
}
