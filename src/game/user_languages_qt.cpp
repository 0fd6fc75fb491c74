// The user's languages as Qt reads them: LANGUAGE, LC_ALL, LC_MESSAGES and LANG on Unix,
// the user's display languages on Windows and macOS.
#include <QLocale>

#include "story/user_languages.h"

namespace velune {

std::vector<std::string> UserLanguages() {
  // In the C locale LANGUAGE does not count, as for every program that speaks through
  // gettext: "LANG=C" asks for plain English.
  if (QLocale::system().name() == QLatin1String("C")) return {"C"};
  std::vector<std::string> languages;
  for (const QString& tag : QLocale::system().uiLanguages()) languages.push_back(tag.toStdString());
  return languages;
}

}  // namespace velune
