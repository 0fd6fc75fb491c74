#include "game/story_watcher.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "story/game_names.h"

namespace velune {
namespace {

constexpr int kSettleMs = 200;

bool SameName(const QString& a, const char* b) {
  return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

StoryWatcher::StoryWatcher(const QString& game_folder, QObject* parent)
    : QObject(parent), folder_(QDir(game_folder).absolutePath()) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &StoryWatcher::Settled);
  const auto restart = [this] { settle_.start(); };
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, restart);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, restart);
  seen_ = Look();
}

QHash<QString, StoryWatcher::Stamp> StoryWatcher::Look() {
  // The game folder itself, for dat/ or grf/ made, removed or renamed.
  QStringList paths{folder_};
  QHash<QString, Stamp> found;
  dat_folder_.clear();
  const QFileInfoList folders = QDir(folder_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QFileInfo& folder : folders) {
    if (!SameName(folder.fileName(), kDatFolder) && !SameName(folder.fileName(), kGrfFolder)) {
      continue;
    }
    if (SameName(folder.fileName(), kDatFolder)) dat_folder_ = folder.absoluteFilePath();
    paths << folder.absoluteFilePath();
    QDirIterator it(folder.absoluteFilePath(),
                    QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QFileInfo entry = it.nextFileInfo();
      paths << entry.absoluteFilePath();
      if (entry.isFile())
        found.insert(entry.absoluteFilePath(), {entry.lastModified(), entry.size()});
    }
  }
  const QStringList watched = watcher_.files() + watcher_.directories();
  for (const QString& path : watched) {
    if (!paths.contains(path)) watcher_.removePath(path);
  }
  for (const QString& path : paths) {
    if (!watched.contains(path)) watcher_.addPath(path);
  }
  return found;
}

void StoryWatcher::Settled() {
  const QHash<QString, Stamp> now = Look();
  QString scene;
  QDateTime latest;
  for (auto it = now.cbegin(); it != now.cend(); ++it) {
    if (seen_.value(it.key()) == it.value()) continue;
    const QFileInfo file(it.key());
    if (file.absolutePath() != dat_folder_ || !SameName(file.suffix(), kDataExtension + 1) ||
        SameName(file.completeBaseName(), kGiftListName)) {
      continue;
    }
    if (scene.isEmpty() || it.value().first > latest) {
      scene = file.completeBaseName();
      latest = it.value().first;
    }
  }
  seen_ = now;
  emit changed(scene);
}

}  // namespace velune
