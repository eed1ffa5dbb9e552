// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/keypad_widget.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include "display/lcd_layout.h"
#include "display/panel_keys.h"
#include "link/requests.h"
#include "panel/key_help.h"

namespace orvane {

namespace {

constexpr int kKeypadTop = 5520;    // client twips of the first key row
constexpr int kClientWidth = 7560;  // the designed client area
constexpr int kClientHeight = 9105;
constexpr int kKeyWidth = 1215;
constexpr std::int64_t kMemLongPressMs = 3000;  // CmdMem held longer sends READ

// clang-format off
// Label keys of the older set: name, code at mouse-up, number of outline shapes. The
// older set numbers its keys its own way (CmdH sends 1), not by the keypad's codes.
struct OldKey {
  const char* name;
  const char* shape;
  std::uint8_t code;
  int shapes;  // 1: a single shape named `shape`; more: `shape` 0, 1, ...
};
constexpr OldKey kOldKeys[] = {
  // key        shapes       code  count
  {"CmdH",     "ShapeH",     1,    1},
  {"Cmdcd",    "Shapecd",    2,    2},
  {"Cmdlxfc",  "Shapelxfc",  3,    2},
  {"CmdMem",   "ShapeMem",   4,    2},  // 10 when held longer than 3 s
  {"CmdRead",  "ShapeRead",  5,    2},
  {"CmdAVG",   "ShapeAVG",   6,    3},
  {"CmdUp",    "ShapeUp",    7,    1},
  {"CmdDown",  "ShapeDown",  8,    1},
};

// Buttons Command1..Command14 (no 11): number, caption, code.
struct CommandButton {
  int number;
  const char* caption;
  std::uint8_t code;
};
constexpr CommandButton kCommands[] = {
  { 1, "Light",    1}, { 2, "Range",  2}, { 3, "MX/MN",  3}, { 4, "SET",  4},
  { 5, "H",        5}, { 6, "Delta/%", 6}, { 7, "Enter", 7}, { 8, "TIME", 8},
  { 9, "MEM",      9}, {10, "READ",  10}, {12, "",      14}, {13, "CMP", 15},
  {14, "AVG",     16},
};
// clang-format on

// CmdBtn members inside PicOdd, and those beyond the designed client area.
constexpr int kOddCmdBtns[] = {13, 16, 17, 18, 19, 20, 21, 22, 23, 26, 27, 30, 31};
constexpr int kOutsideCmdBtns[] = {0, 14, 24, 25};

const QColor kWhite(0xff, 0xff, 0xff);

const char* const kKeyStyle = R"(
QPushButton {
  color: #eef1f3; font: bold 9pt 'Liberation Sans';
  border: 1px solid #1b1f24; border-radius: 13px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7a838c, stop:0.5 #59626b,
                              stop:1 #454c54);
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #858e97,
                                                stop:0.5 #646d76, stop:1 #4f565e); }
QPushButton:pressed { background: #3a4047; padding-top: 2px; }
QPushButton:disabled { color: #8a9096; background: #4a5057; }
QPushButton:focus { border: 2px solid #ffd27a; }
QPushButton#CmdBtn4 { color: #ffd27a; }
QPushButton#CmdBtn1 { color: #fff3a8; }
)";

QRect Twips(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

// The keypad for assistive technology: the keys the user sees (those Tab reaches), not
// the older key set and the buttons that lie outside the panel's designed client area.
class KeypadAccessible final : public QAccessibleWidget {
 public:
  explicit KeypadAccessible(QWidget* keypad) : QAccessibleWidget(keypad, QAccessible::Grouping) {}
  int childCount() const override { return static_cast<int>(Keys().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> keys = Keys();
    return index >= 0 && index < keys.size() ? QAccessible::queryAccessibleInterface(keys[index])
                                             : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child == nullptr ? -1 : static_cast<int>(Keys().indexOf(child->object()));
  }

 private:
  QList<QWidget*> Keys() const {
    QList<QWidget*> keys;
    for (QWidget* w : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if ((w->focusPolicy() & Qt::TabFocus) != 0) keys << w;
    return keys;
  }
};

QAccessibleInterface* KeypadAccessibleFactory(const QString& key, QObject* object) {
  if (key == QLatin1String(KeypadWidget::staticMetaObject.className()) && object != nullptr &&
      object->isWidgetType()) {
    return new KeypadAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

KeyShape::KeyShape(QColor color, QWidget* parent) : QWidget(parent), border_(color), fill_(color) {}

void KeyShape::SetColors(QColor border, QColor fill) {
  border_ = border;
  fill_ = fill;
  update();
}

void KeyShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(border_, 1.5));
  p.setBrush(fill_);
  p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
}

void LabelKey::mousePressEvent(QMouseEvent* event) {
  emit MouseDown();
  event->accept();
}

void LabelKey::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp();
  event->accept();
}

QRect KeypadWidget::KeypadGeometry() {
  return {0, Px(kKeypadTop), Px(kClientWidth), Px(kClientHeight - kKeypadTop)};
}

KeypadWidget::KeypadWidget(PanelContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  static const bool factoryInstalled = (QAccessible::installFactory(KeypadAccessibleFactory), true);
  (void)factoryInstalled;
  setObjectName("Keypad");
  setAccessibleName("Keys of the meter");
  setGeometry(KeypadGeometry());
  setStyleSheet(kKeyStyle);
  BuildKeypad();
  BuildOldKeys();
}

QPushButton* KeypadWidget::AddCmdBtn(int index, const QString& caption, QRect rect,
                                     QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QStringLiteral("CmdBtn%1").arg(index));
  b->setGeometry(rect);
  b->setFocusPolicy(Qt::NoFocus);  // the visible keypad takes focus in BuildKeypad
  connect(b, &QPushButton::clicked, this, [this, index] { CmdBtn_Click(index); });
  return b;
}

// The visible keys take keyboard focus row by row, left to right (Space presses the key
// with focus); the keys beyond the designed client area never do, so the keyboard can
// only reach keys the user sees.
void KeypadWidget::BuildKeypad() {
  QWidget* previous = nullptr;
  for (const PanelKey& k : kPanelKeys) {
    const QRect rect = Twips(k.left, k.top - kKeypadTop, kKeyWidth, k.height);
    QPushButton* key = nullptr;
    if (k.code != key::kRef) {
      key = AddCmdBtn(k.code, k.caption, rect, this);
    } else {
      key = new QPushButton(k.caption, this);
      key->setObjectName("Cmdref");
      key->setGeometry(rect);
      key->setEnabled(false);  // until the meter lights R-H
      connect(key, &QPushButton::clicked, this, &KeypadWidget::Cmdref_Click);
    }
    key->setFocusPolicy(Qt::TabFocus);
    DescribeKey(*key, k.caption, k.code);
    if (previous != nullptr) setTabOrder(previous, key);
    previous = key;
  }
  // Members that lie beyond the bottom edge of the designed client area.
  int x = 0;
  for (int index : kOutsideCmdBtns) {
    AddCmdBtn(index, QStringLiteral("Cmd%1").arg(index),
              QRect(x, Px(kClientHeight - kKeypadTop) + 8, 60, 26), this);
    x += 64;
  }
}

void KeypadWidget::BuildOldKeys() {
  picOdd_ = new QWidget(this);
  picOdd_->setObjectName("PicOdd");
  picOdd_->setGeometry(Px(kClientWidth + 240), 0, 660, 200);
  const QColor shades[] = {QColor(0x6b, 0x72, 0x80), QColor(0x4b, 0x55, 0x63),
                           QColor(0x37, 0x41, 0x51)};
  int x = 8;
  for (const OldKey& k : kOldKeys) {
    LabelKeyInfo info{k.name, k.code, {}};
    for (int i = 0; i < k.shapes; ++i) {
      auto* s = new KeyShape(shades[i], picOdd_);
      s->setObjectName(k.shapes == 1 ? QString(k.shape)
                                     : QStringLiteral("%1%2").arg(k.shape).arg(i));
      s->setGeometry(x - 2 * i, 8 - 2 * i, 68 + 4 * i, 30 + 4 * i);
      s->lower();
      info.shapes.push_back(s);
    }
    auto* label = new LabelKey(QString(k.name).mid(3), picOdd_);
    label->setObjectName(k.name);
    label->setGeometry(x, 8, 68, 30);
    label->setAlignment(Qt::AlignCenter);
    const QString name = k.name;
    connect(label, &LabelKey::MouseDown, this, [this, name] { LabelKey_MouseDown(name); });
    connect(label, &LabelKey::MouseUp, this, [this, name] { LabelKey_MouseUp(name); });
    labelKeys_.push_back(std::move(info));
    x += 80;
  }
  x = 8;
  for (const CommandButton& c : kCommands) {
    auto* b = new QPushButton(c.caption, picOdd_);
    b->setObjectName(QStringLiteral("Command%1").arg(c.number));
    b->setGeometry(x, 60, 48, 26);
    b->setFocusPolicy(Qt::NoFocus);
    const int number = c.number;
    connect(b, &QPushButton::clicked, this, [this, number] { Command_Click(number); });
    x += 50;
  }
  x = 8;
  for (int index : kOddCmdBtns) {
    AddCmdBtn(index, index == 16 ? QStringLiteral("AVG") : QStringLiteral("Cmd%1").arg(index),
              QRect(x, 100, 48, 26), picOdd_);
    x += 50;
  }
}

// A key takes the link for its one report; while a command holds the link the key is
// refused and sends nothing.
void KeypadWidget::SendKey(std::uint8_t code) {
  const std::optional<LinkHold> hold = ctx_.TakeLink("key");
  if (!hold) return;
  StoreRequest(ctx_.link.OutputReport(), code);
  ctx_.link.SendReport();
}

// A keypad key by the keys' rule ("Delta/%" sends 26 while R-H is lit); the other members
// send their index.
void KeypadWidget::CmdBtn_Click(int index) {
  const PanelKey* k = index == key::kRef ? nullptr : PanelKeyOfCode(index);
  SendKey(k != nullptr ? PressPanelKey(*k, false, ctx_.display.RhLit()).code.value_or(index)
                       : static_cast<std::uint8_t>(index));
}

void KeypadWidget::Cmdref_Click() {
  SendKey(key::kRef);
}

void KeypadWidget::Command_Click(int number) {
  for (const CommandButton& c : kCommands) {
    if (c.number == number) SendKey(c.code);
  }
}

KeypadWidget::LabelKeyInfo* KeypadWidget::FindLabelKey(const QString& key) {
  for (auto& k : labelKeys_)
    if (key == k.name) return &k;
  return nullptr;
}

void KeypadWidget::LabelKey_MouseDown(const QString& key) {
  LabelKeyInfo* k = FindLabelKey(key);
  if (k == nullptr) return;
  if (key == "CmdMem") held_.MemPressTime = ctx_.clock.MonotonicMs();
  held_.SavedKeyColor = k->shapes.front()->BackColor();
  for (KeyShape* s : k->shapes) s->SetColors(kWhite, kWhite);
}

void KeypadWidget::LabelKey_MouseUp(const QString& key) {
  LabelKeyInfo* k = FindLabelKey(key);
  if (k == nullptr) return;
  std::uint8_t code = k->code;
  if (key == "CmdMem" && ctx_.clock.MonotonicMs() - held_.MemPressTime > kMemLongPressMs) {
    code = orvane::key::kRead;
  }
  SendKey(code);
  for (KeyShape* s : k->shapes) s->SetColors(held_.SavedKeyColor, held_.SavedKeyColor);
}

}  // namespace orvane
