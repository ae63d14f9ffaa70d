#pragma once
// "Dodaj > Linie łamaną" and "Elipsę", the polyline tool's pop-up menu, and
// the mouse on the drawing surface: clicks, the pop-up menus, the cursor's
// read-out and the rubber band.

#include <Qt>
#include <memory>

#include "front/ui/Lazy.h"

class CommandContext;
class EllipseDialog;

class ContourCommands {
 public:
  explicit ContourCommands(CommandContext& context);
  ~ContourCommands();

  EllipseDialog& ellipseDialog() { return *ellipseDialog_; }

  void startPolyline();
  void endPolyline();
  void closePolyline();
  void removeLastPoint();
  void ellipse();
  void mouseDown(Qt::MouseButton button, int x, int y, int clientHeight);
  // The status read-out for a cursor at a client pixel, and the rubber band.
  void cursorMoved(int x, int y, int clientHeight);

 private:
  void addPolylinePoint(int x, int y, int clientHeight);

  CommandContext& c_;
  Lazy<EllipseDialog> ellipseDialog_;
};
