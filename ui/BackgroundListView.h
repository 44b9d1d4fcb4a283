#pragma once
// A list view (names in columns) that draws a picture behind its items as
// the table view of the same list does.

#include <QListView>

#include "ui/BackgroundTableView.h"

class TBackgroundListView : public TBackgroundView<QListView> {
 public:
  using TBackgroundView::TBackgroundView;
};
