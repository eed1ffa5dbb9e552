// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's virtual LCD: one child widget per element of the LCD layout (segment
// cells for digits; labels for points, separators, units and symbols; small pictures
// for the clock dial, the arrows, the delta and the battery gauge), on a light
// grey-green face with dark segments and faint printed legends. Apply() writes to the widgets only
// what changed in the model since the last call.
//
// For assistive technology the view is one element, named with what the display shows
// ("528.0 cd/m², REC, USB"); its segments, symbols and legends are not in the tree.
//
// The view covers the LCD face: place it at FaceGeometry() in the panel's client area
// (the constructor does so); each element then sits at its designed twips / 15.

#include <QPointer>
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

  // Whether a meter is connected and answering. Without one the face is dimmed with a
  // notice and REF is disabled; the elements keep their last state underneath.
  void SetMeterPresent(bool present);
  bool MeterPresent() const { return present_; }

  // The display as a screen reader says it (display_listing.h, SpokenDisplay); the view's
  // accessible name, or the notice while no meter is there.
  void SetSpokenReading(const std::string& spoken);

  // The face's place in the panel's client area, in pixels.
  static QRect FaceGeometry();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Build();
  QWidget* Element(const std::string& name);
  void ApplyRef();
  void ShowAccessibleName();

  std::unordered_map<std::string, QWidget*> elements_;
  QWidget* veil_ = nullptr;
  bool present_ = false;     // no meter until the first frame
  bool refEnabled_ = false;  // Cmdref as the model last set it
  QPointer<QWidget> ref_;    // the key Cmdref, found in the window once it is there
  QString spoken_;
};

}  // namespace orvane
