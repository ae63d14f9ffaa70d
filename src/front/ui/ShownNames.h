#pragma once
// Names from outside the program in the window's texts: the core's
// ShownName for a QString.

#include <QString>

#include "core/files/ShownName.h"

inline QString ShownName(const QString& name) {
  return QString::fromStdString(ShownName(std::string_view(name.toStdString())));
}
