#pragma once

#include <QStringList>
#include <QWidget>

#include "core/field/FieldValues.h"

// The solution's colour bar in the drawing's bottom right corner: the
// field's name and unit, the scale from its maximum down to its minimum,
// the isolines' values beside it where there is room, and the
// deformation's magnification. Clicks pass through it to the drawing.
class ColourBar : public QWidget {
  Q_OBJECT
 public:
  explicit ColourBar(QWidget* parent);
  // What to show (`scale`: the colours, or only the texts), laid out for a
  // drawing of the given size.
  void showTexts(const ColourBarTexts& texts, bool scale, QSize drawing);
  // Every text shown, from the top.
  QStringList texts() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColourBarTexts texts_;
  bool scale_ = true;
  int barHeight_ = 0;
};
