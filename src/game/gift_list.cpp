#include "game/gift_list.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyledItemDelegate>

#include "game/layout_rules.h"

namespace velune {
namespace {

// Every row of the list is exactly one row high, whatever its entry.
class WholeRowDelegate : public QStyledItemDelegate {
 public:
  explicit WholeRowDelegate(GiftList* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(list_->RowHeight());
    return size;
  }

 private:
  GiftList* list_;
};

}  // namespace

GiftList::GiftList(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("Lst"));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  // Entries wider than the list are cut rather than scrolled, so no bar takes a part
  // of the last row.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setItemDelegate(new WholeRowDelegate(this));
}

int GiftList::RowHeight() const { return QFontMetrics(font()).height() + 2; }

void GiftList::SetHeightInWholeRows(int height) {
  asked_height_ = height;
  FitHeight();
}

void GiftList::changeEvent(QEvent* event) {
  QListWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    doItemsLayout();  // the rows take the new font's height
    FitHeight();
  }
}

void GiftList::FitHeight() {
  if (asked_height_ <= 0) return;
  const int height = layout::WholeRowsHeight(asked_height_, RowHeight(), frameWidth());
  if (height != this->height()) resize(width(), height);
}

}  // namespace velune
