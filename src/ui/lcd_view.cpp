// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lcd_view.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "display/lcd_layout.h"
#include "ui/lcd_glyphs.h"

namespace orvane {

namespace {

const QColor kFace = kLcdFaceColor;
const QColor kFaceEdge(0x8c, 0x97, 0x80);
const QColor kSegment = kLcdSegmentColor;
const char* const kFontFamily = "Liberation Sans";

// A picture of the LCD, drawn by the program on a 32 x 32 grid.
class LcdPicture final : public QWidget {
 public:
  LcdPicture(const LcdElement& e, QWidget* parent) : QWidget(parent), e_(e) {
    setAttribute(Qt::WA_TranslucentBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width() / 32.0, height() / 32.0);
    p.setPen(QPen(kSegment, 2));
    p.setBrush(Qt::NoBrush);
    switch (e_.picture) {
      case Picture::ClockDial:
        DrawClock(p);
        break;
      case Picture::TriangleUp:
        DrawTriangle(p, true, true);
        break;
      case Picture::TriangleDown:
        DrawTriangle(p, false, true);
        break;
      case Picture::OpenTriangle:
        DrawTriangle(p, true, false);
        break;
      case Picture::BatteryOutline:
        DrawBattery(p);
        break;
      case Picture::BatteryBar:
        DrawBar(p, e_.bar);
        break;
      case Picture::None:
        break;
    }
  }

 private:
  static void DrawClock(QPainter& p) {
    p.drawEllipse(QPointF(16, 16), 11, 11);
    p.drawLine(QPointF(16, 16), QPointF(16, 8));
    p.drawLine(QPointF(16, 16), QPointF(22, 16));
    for (int i = 0; i < 12; i += 3) {
      p.save();
      p.translate(16, 16);
      p.rotate(i * 30);
      p.drawLine(QPointF(0, -11), QPointF(0, -9));
      p.restore();
    }
  }
  static void DrawTriangle(QPainter& p, bool up, bool filled) {
    QPolygonF t;
    // Kept in the left part of the picture: the symbols "A" and "B" stand to its right.
    if (up) {
      t << QPointF(13, 6) << QPointF(22, 24) << QPointF(4, 24);
    } else {
      t << QPointF(4, 8) << QPointF(22, 8) << QPointF(13, 26);
    }
    if (filled) p.setBrush(kSegment);
    p.drawPolygon(t);
  }
  static void DrawBattery(QPainter& p) {
    p.setBrush(kSegment);
    p.drawRect(QRectF(2, 13, 3, 6));  // terminal, on the left
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5, 9, 25, 14));
  }
  // Bar 1 sits next to the terminal, bar 5 at the far end.
  static void DrawBar(QPainter& p, int bar) {
    p.setPen(Qt::NoPen);
    p.setBrush(kSegment);
    p.drawRect(QRectF(7.5 + (bar - 1) * 4.4, 11.5, 3.4, 9));
  }

  const LcdElement& e_;
};

// The legends that no frame ever changes.
bool IsLegend(std::string_view name) {
  for (std::string_view legend : {"Lbllx", "Lblfc", "LblK3", "Lblh3", "Lblm", "Lblft"})
    if (name == legend) return true;
  return false;
}

QLabel* MakeLabel(const LcdElement& e, QWidget* parent) {
  const QString caption = QString::fromUtf8(e.caption.data(), static_cast<int>(e.caption.size()));
  QFont font(kFontFamily);
  font.setBold(true);
  font.setPointSizeF(e.fontPt);
  QLabel* l = e.name.starts_with("LblSeg") ? new LcdDigitLabel(caption, font, parent)
                                           : new QLabel(caption, parent);
  l->setFont(font);
  // Text sits at the top of its box, so that the points' larger face shares the digits'
  // baseline; digits, points and separators are centred in their cells.
  const bool cell = e.width < 1000 && e.fontPt >= 36;
  l->setAlignment((cell ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
  l->setAttribute(Qt::WA_TranslucentBackground);
  const QColor ink = IsLegend(e.name) ? kLcdLegendColor : kSegment;
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, ink);
  pal.setColor(QPalette::Disabled, QPalette::WindowText, ink);
  l->setPalette(pal);
  return l;
}

// The LCD for assistive technology: one text without children, so the loose digits,
// the dark symbols and the printed legends stay out of the tree.
class LcdAccessible final : public QAccessibleWidget {
 public:
  explicit LcdAccessible(QWidget* view) : QAccessibleWidget(view, QAccessible::StaticText) {}
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

QAccessibleInterface* LcdAccessibleFactory(const QString& key, QObject* object) {
  if (key == QLatin1String(LcdView::staticMetaObject.className()) && object != nullptr &&
      object->isWidgetType()) {
    return new LcdAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

QRect LcdView::FaceGeometry() {
  return {Px(kLcdFace.left), Px(kLcdFace.top), Px(kLcdFace.width), Px(kLcdFace.height)};
}

LcdView::LcdView(QWidget* parent) : QWidget(parent) {
  static const bool factoryInstalled = (QAccessible::installFactory(LcdAccessibleFactory), true);
  (void)factoryInstalled;
  setObjectName("LcdView");
  setGeometry(FaceGeometry());
  Build();
  veil_ = new LcdVeil(this);
  veil_->setGeometry(rect());
  veil_->raise();
  ShowAccessibleName();
}

// While no meter is connected the face is veiled and REF is off; what the last frame
// showed stays underneath for when the meter returns.
void LcdView::SetMeterPresent(bool present) {
  if (present != present_) {
    present_ = present;
    veil_->setVisible(!present_);
    ShowAccessibleName();
  }
  ApplyRef();
}

void LcdView::SetSpokenReading(const std::string& spoken) {
  const QString text = QString::fromStdString(spoken);
  if (text == spoken_) return;
  spoken_ = text;
  ShowAccessibleName();
}

// A changed name is announced to assistive technology by Qt itself.
void LcdView::ShowAccessibleName() {
  const QString name = present_ ? spoken_ : veil_->accessibleName();
  if (accessibleName() != name) setAccessibleName(name);
}

void LcdView::Build() {
  for (const LcdElement& e : LcdLayout()) {
    QWidget* w = e.kind == ElementKind::Label ? static_cast<QWidget*>(MakeLabel(e, this))
                                              : new LcdPicture(e, this);
    w->setObjectName(QString::fromUtf8(e.name.data(), static_cast<int>(e.name.size())));
    w->setGeometry(Px(e.left - kLcdFace.left), Px(e.top - kLcdFace.top), Px(e.width), Px(e.height));
    elements_.emplace(std::string(e.name), w);
  }
}

QWidget* LcdView::Element(const std::string& name) {
  if (auto it = elements_.find(name); it != elements_.end()) return it->second;
  QWidget* top = window();
  return top == nullptr ? nullptr : top->findChild<QWidget*>(QString::fromStdString(name));
}

void LcdView::Apply(LcdModel& model) {
  for (ElementId id : model.TakeChangedIds()) {
    QWidget* w = Element(model.Name(id));
    if (w == nullptr) continue;
    const ElementState& s = model.Get(id);
    const QString caption = QString::fromStdString(s.caption);
    if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->text() != caption) {
      label->setText(caption);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w); b != nullptr && b->text() != caption) {
      b->setText(caption);
    }
    w->setVisible(s.visible);
    w->setEnabled(s.enabled);
  }
  // REF as the display says (R-H lit), and only while a meter is there.
  refEnabled_ = model.Get("Cmdref").enabled;
  ApplyRef();
}

void LcdView::ApplyRef() {
  if (ref_ == nullptr) ref_ = Element("Cmdref");
  if (ref_ != nullptr) ref_->setEnabled(refEnabled_ && present_);
}

void LcdView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kFaceEdge, 2));
  p.setBrush(kFace);
  p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
}

}  // namespace orvane
