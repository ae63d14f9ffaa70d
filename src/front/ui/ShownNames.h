#pragma once
// Names from outside the program in the window's texts: the core's
// ShownName for a QString.

#include <QFile>
#include <QString>
#include <string>

#include "core/files/ShownName.h"

inline QString ShownName(const QString& name) {
  return QString::fromStdString(ShownName(std::string_view(name.toStdString())));
}

// A file name as the system takes it.
inline std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}
