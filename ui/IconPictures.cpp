#include "ui/IconPictures.h"

#include <QImageReader>
#include <unordered_map>

#include "catalogues/Icons.h"

QPixmap ReadIconFile(const QString& path) {
  QImageReader reader(path);
  // An .ico may hold several sizes; the one nearest 32 x 32 wins.
  QImage best;
  int bestScore = INT32_MAX;
  const int count = std::max(1, reader.imageCount());
  for (int i = 0; i < count; ++i) {
    if (i > 0 && !reader.jumpToImage(i)) break;
    const QImage image = reader.read();
    if (image.isNull()) break;
    const int score = std::abs(image.width() - 32) + std::abs(image.height() - 32);
    if (score < bestScore) {
      best = image;
      bestScore = score;
    }
  }
  if (best.isNull()) return QPixmap();
  if (best.size() != QSize(32, 32)) best = best.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return QPixmap::fromImage(best);
}

const TLoadedIcon& LoadIcon(int32_t index) {
  static const TLoadedIcon kNone;
  static std::unordered_map<int32_t, TLoadedIcon> cache;
  static uint64_t cachedRevision = 0;
  if (index < 0 || index > kMaxIconIndex) return kNone;
  TIconLibrary& library = IconLibrary();
  library.EnsureScanned();
  if (library.Revision() != cachedRevision) {
    cache.clear();
    cachedRevision = library.Revision();
  }
  auto it = cache.find(index);
  if (it != cache.end()) return it->second;
  TLoadedIcon icon;
  if (const TIconFile* file = library.Find(index)) {
    icon.name = QString::fromStdString(file->name);
    icon.picture = ReadIconFile(QString::fromStdString(file->RealPath()));
  }
  return cache.emplace(index, std::move(icon)).first->second;
}
