#include "display/lcd_model.h"

#include <utility>

namespace orvane {

void LcdModel::Add(std::string_view name, ElementState design) {
  elements_[std::string(name)] = Entry{std::move(design), false};
}

LcdModel::Entry* LcdModel::Find(std::string_view name) {
  auto it = elements_.find(std::string(name));
  return it == elements_.end() ? nullptr : &it->second;
}

const ElementState& LcdModel::Get(std::string_view name) const {
  static const ElementState kNone;
  auto it = elements_.find(std::string(name));
  return it == elements_.end() ? kNone : it->second.state;
}

void LcdModel::MarkDirty(const std::string& name, Entry& e) {
  if (!e.dirty) changed_.push_back(name);
  e.dirty = true;
}

void LcdModel::SetCaption(std::string_view name, std::string_view caption) {
  auto it = elements_.find(std::string(name));
  if (it == elements_.end() || it->second.state.caption == caption) return;
  it->second.state.caption = std::string(caption);
  MarkDirty(it->first, it->second);
}

void LcdModel::SetVisible(std::string_view name, bool visible) {
  auto it = elements_.find(std::string(name));
  if (it == elements_.end() || it->second.state.visible == visible) return;
  it->second.state.visible = visible;
  MarkDirty(it->first, it->second);
}

void LcdModel::SetEnabled(std::string_view name, bool enabled) {
  auto it = elements_.find(std::string(name));
  if (it == elements_.end() || it->second.state.enabled == enabled) return;
  it->second.state.enabled = enabled;
  MarkDirty(it->first, it->second);
}

std::vector<std::string> LcdModel::TakeChanged() {
  for (const auto& name : changed_) elements_[name].dirty = false;
  return std::exchange(changed_, {});
}

std::vector<std::string> LcdModel::Names() const {
  std::vector<std::string> names;
  names.reserve(elements_.size());
  for (const auto& [name, entry] : elements_) names.push_back(name);
  return names;
}

}  // namespace orvane
