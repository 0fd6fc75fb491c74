#pragma once

#include <QListWidget>

namespace velune {

// Lst: the gift list, a list box that shows whole rows only. Asked for a height, it
// takes the most whole rows that fit in it (one at least), and after a change of its
// font it fits the same asked height again with the new rows.
class GiftList : public QListWidget {
  Q_OBJECT

 public:
  explicit GiftList(QWidget* parent = nullptr);

  // The height of one row at the list's font, in pixels.
  int RowHeight() const;
  // Sets the list's height to whole rows within `height` pixels.
  void SetHeightInWholeRows(int height);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FitHeight();

  int asked_height_ = 0;
};

}  // namespace velune
