// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of every named element of the panel's LCD and keypad (caption, visible,
// enabled). The poll writes it; the panel's LCD view shows it, applying only the
// elements that changed since it last looked.
//
// Elements are numbered in the order they were added; the decoder resolves names to
// numbers once and writes by number on every tick, so a tick allocates nothing.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

struct ElementState {
  std::string caption;
  bool visible = true;
  bool enabled = true;
};

using ElementId = int;
inline constexpr ElementId kNoElement = -1;

class LcdModel {
 public:
  // Adds an element with its design-time state. Adding a name twice replaces it.
  ElementId Add(std::string_view name, ElementState design);

  // kNoElement for an unknown name.
  ElementId Find(std::string_view name) const;
  const std::string& Name(ElementId id) const { return entries_[id].name; }
  std::size_t Size() const { return entries_.size(); }

  // Unknown names read as a default element and are ignored when written.
  const ElementState& Get(std::string_view name) const;
  void SetCaption(std::string_view name, std::string_view caption);
  void SetVisible(std::string_view name, bool visible);
  void SetEnabled(std::string_view name, bool enabled);

  // The same by number; kNoElement is ignored.
  const ElementState& Get(ElementId id) const;
  void SetCaption(ElementId id, std::string_view caption);
  void SetVisible(ElementId id, bool visible);
  void SetEnabled(ElementId id, bool enabled);

  // The elements whose state changed since the last call, each once, in the order of
  // their first change.
  std::vector<ElementId> TakeChangedIds();
  std::vector<std::string> Names() const;

 private:
  struct Entry {
    std::string name;
    ElementState state;
    bool dirty = false;
  };
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  void MarkDirty(ElementId id);

  std::vector<Entry> entries_;
  std::unordered_map<std::string, ElementId, NameHash, std::equal_to<>> index_;
  std::vector<ElementId> changed_;
};

}  // namespace orvane
