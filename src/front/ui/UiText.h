#pragma once
// A text of the window in the user's language: Ui("Context", "source").
// The source texts are the Polish ones; lupdate collects these calls, and
// "%1"... take QString::arg as usual. Tables of texts mark their entries
// with QT_TRANSLATE_NOOP and pass them through Ui where they are shown.

#include <QCoreApplication>
#include <QString>

inline QString Ui(const char* context, const char* source) {
  return QCoreApplication::translate(context, source);
}
