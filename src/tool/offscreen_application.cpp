#include "tool/offscreen_application.h"

namespace velune {

OffscreenApplication::OffscreenApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  app_ = std::make_unique<QApplication>(argc_, argv_);
}

}  // namespace velune
