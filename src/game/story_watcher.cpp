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

// A std::map rather than a QHash: GCC 12 with link-time optimisation reads a false
// allocation of the whole address space into QHash's growth and fails the build.
std::map<QString, StoryWatcher::Stamp> StoryWatcher::Look() {
  // The game folder itself, for dat/ or grf/ made, removed or renamed.
  QStringList paths{folder_};
  std::map<QString, Stamp> found;
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
        found.insert_or_assign(entry.absoluteFilePath(), Stamp{entry.lastModified(), entry.size()});
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
  const std::map<QString, Stamp> now = Look();
  QString scene;
  QDateTime latest;
  for (const auto& [path, stamp] : now) {
    if (const auto before = seen_.find(path); before != seen_.end() && before->second == stamp) {
      continue;
    }
    const QFileInfo file(path);
    if (file.absolutePath() != dat_folder_ || !SameName(file.suffix(), kDataExtension + 1) ||
        SameName(file.completeBaseName(), kGiftListName)) {
      continue;
    }
    if (scene.isEmpty() || stamp.first > latest) {
      scene = file.completeBaseName();
      latest = stamp.first;
    }
  }
  seen_ = now;
  emit changed(scene);
}

}  // namespace velune
