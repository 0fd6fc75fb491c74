#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <map>
#include <utility>

namespace velune {

// Follows a story folder on disk for the author's preview: every file under dat/ and grf/,
// files added and removed too. A burst of changes (an editor's save, a copy of many files)
// is reported once, when it has settled.
class StoryWatcher : public QObject {
  Q_OBJECT

 public:
  explicit StoryWatcher(const QString& game_folder, QObject* parent = nullptr);

 signals:
  // The story changed on disk. `scene` names the scene file that changed last; it is
  // empty when none did (the gift list, a picture, the tune, a file removed).
  void changed(const QString& scene);

 private:
  using Stamp = std::pair<QDateTime, qint64>;  // last modified, size
  // Watches what is there now (an editor that saves by renaming a new file over the old
  // one leaves the old file's watch behind) and answers what it finds.
  std::map<QString, Stamp> Look();
  void Settled();

  QString folder_;
  QString dat_folder_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
  std::map<QString, Stamp> seen_;
};

}  // namespace velune
