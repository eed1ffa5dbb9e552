#pragma once
// The panel's virtual LCD: one child widget per element of the LCD layout (labels for
// digits, points, separators, units and symbols; small pictures for the clock dial, the
// arrows, the delta and the battery gauge), on a light grey-green face with dark
// segments. Apply() writes to the widgets only what changed in the model since the
// last call.
//
// The view covers the LCD face: place it at FaceGeometry() in the panel's client area
// (the constructor does so); each element then sits at its designed twips / 15.

#include <QRect>
#include <QWidget>
#include <string>
#include <unordered_map>

#include "display/lcd_model.h"

namespace orvane {

class LcdView final : public QWidget {
  Q_OBJECT

 public:
  explicit LcdView(QWidget* parent = nullptr);

  // Writes caption, visibility and enabled state of every element that changed. Names
  // the view does not hold (the key Cmdref) are looked up in the view's window.
  void Apply(LcdModel& model);

  // The face's place in the panel's client area, in pixels.
  static QRect FaceGeometry();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Build();
  QWidget* Element(const std::string& name);

  std::unordered_map<std::string, QWidget*> elements_;
};

}  // namespace orvane
