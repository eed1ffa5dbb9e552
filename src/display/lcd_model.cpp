// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/lcd_model.h"

#include <utility>

namespace orvane {

ElementId LcdModel::Add(std::string_view name, ElementState design) {
  if (ElementId id = Find(name); id != kNoElement) {
    entries_[id].state = std::move(design);
    return id;
  }
  const auto id = static_cast<ElementId>(entries_.size());
  entries_.push_back(Entry{std::string(name), std::move(design), false});
  index_.emplace(std::string(name), id);
  return id;
}

ElementId LcdModel::Find(std::string_view name) const {
  auto it = index_.find(name);
  return it == index_.end() ? kNoElement : it->second;
}

const ElementState& LcdModel::Get(ElementId id) const {
  static const ElementState kNone;
  return id < 0 || id >= static_cast<ElementId>(entries_.size()) ? kNone : entries_[id].state;
}

const ElementState& LcdModel::Get(std::string_view name) const {
  return Get(Find(name));
}

void LcdModel::MarkDirty(ElementId id) {
  if (!entries_[id].dirty) changed_.push_back(id);
  entries_[id].dirty = true;
}

void LcdModel::SetCaption(ElementId id, std::string_view caption) {
  if (id == kNoElement || entries_[id].state.caption == caption) return;
  entries_[id].state.caption.assign(caption);
  MarkDirty(id);
}

void LcdModel::SetVisible(ElementId id, bool visible) {
  if (id == kNoElement || entries_[id].state.visible == visible) return;
  entries_[id].state.visible = visible;
  MarkDirty(id);
}

void LcdModel::SetEnabled(ElementId id, bool enabled) {
  if (id == kNoElement || entries_[id].state.enabled == enabled) return;
  entries_[id].state.enabled = enabled;
  MarkDirty(id);
}

void LcdModel::SetCaption(std::string_view name, std::string_view caption) {
  SetCaption(Find(name), caption);
}
void LcdModel::SetVisible(std::string_view name, bool visible) {
  SetVisible(Find(name), visible);
}
void LcdModel::SetEnabled(std::string_view name, bool enabled) {
  SetEnabled(Find(name), enabled);
}

std::vector<ElementId> LcdModel::TakeChangedIds() {
  for (ElementId id : changed_) entries_[id].dirty = false;
  return std::exchange(changed_, {});
}

std::vector<std::string> LcdModel::Names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const auto& e : entries_) names.push_back(e.name);
  return names;
}

}  // namespace orvane
