#pragma once

#include <QColor>
#include <QString>
#include <string>
#include <string_view>

#include "story/controls.h"

namespace velune {

// The game's UTF-8 text as Qt shows it: a CR LF (or a lone CR or LF) starts a new line.
inline QString ShownText(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

// The game's text as it is, for tooltips and list entries, which hold one line.
inline QString PlainText(const std::string& text) { return QString::fromStdString(text); }

inline QColor ToQColor(const Rgb& colour) { return QColor(colour.r, colour.g, colour.b); }

}  // namespace velune
