#pragma once
// Pictures of the icon library for drawing. A picture is read from its file
// once and kept until the library changes; looking one up never lists a
// folder, so painting stays cheap.

#include <QPixmap>
#include <QString>
#include <cstdint>

struct TLoadedIcon {
  QPixmap picture;  // 32 x 32, null when the index has no icon
  QString name;
};

// The icon of an index (-1 and rows without a file give an empty one).
const TLoadedIcon& LoadIcon(int32_t index);

// A 32 x 32 picture of an icon file, or a null pixmap when the file is not
// an icon Qt can read.
QPixmap ReadIconFile(const QString& path);
