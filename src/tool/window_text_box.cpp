#include "tool/window_text_box.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QTextLayout>
#include <QWindow>
#include <cmath>

#include "game/control_places.h"
#include "game/gift_list.h"
#include "game/qt_text.h"
#include "game/window_layout.h"

namespace velune {

WindowTextBox::WindowTextBox() : lbl_(new CaptionLabel(QStringLiteral("Lbl"), &window_)) {
  window_.resize(InitialClientSize());
  window_.winId();  // the platform's window, which knows the frame
  const QMargins frame = window_.windowHandle()->frameMargins();
  const std::int32_t height_twips =
      (InitialClientSize().height() + frame.top() + frame.bottom()) * layout::kTwipsPerPixel;
  // The first layout pass gives the window its 4:3 width before it lays the controls out.
  QSize client = InitialClientSize();
  if (const auto width_twips = layout::OuterWidthTwips(height_twips)) {
    client.setWidth(layout::TwipsToPixels(*width_twips) - frame.left() - frame.right());
  }
  const WindowLayout::Controls controls{new QWidget(&window_), lbl_, new GiftList(&window_),
                                        new QPushButton(&window_),
                                        new CaptionLabel(QStringLiteral("LoveLbl"), &window_)};
  LayOutControlsOnGrid(client, controls, height_twips);
}

bool WindowTextBox::Fits(std::string_view caption) const {
  // Laid out as the label draws plain text: wrapped at its width, tabs every eight x's, each
  // row on a whole pixel under the one before. A row shows while the letters standing on its
  // baseline are in the box, even when what hangs below them is cut.
  QString text = ShownText(caption);
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  const QFontMetrics metrics = lbl_->fontMetrics();
  QTextOption wrapped;
  wrapped.setWrapMode(QTextOption::WordWrap);
  wrapped.setTabStopDistance(8 * metrics.horizontalAdvance(QLatin1Char('x')));
  QTextLayout rows(text, lbl_->font());
  rows.setTextOption(wrapped);
  const QRect box = lbl_->contentsRect();
  qreal top = -metrics.leading();
  qreal baseline = 0;
  rows.beginLayout();
  for (QTextLine row = rows.createLine(); row.isValid(); row = rows.createLine()) {
    row.setLineWidth(box.width());
    top = std::ceil(top + metrics.leading());
    row.setPosition(QPointF(0, top));
    baseline = top + row.ascent();
    top += row.height();
  }
  rows.endLayout();
  return std::floor(baseline) <= box.height();  // the letters end on the pixel above it
}

}  // namespace velune
