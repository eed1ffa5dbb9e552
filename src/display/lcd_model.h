#pragma once
// The state of every named element of the panel's LCD and keypad (caption, visible,
// enabled). The poll writes it; the panel's LCD view shows it, applying only the
// elements that changed since it last looked.

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

class LcdModel {
 public:
  // Adds an element with its design-time state. Adding a name twice replaces it.
  void Add(std::string_view name, ElementState design);

  // Unknown names read as a default element and are ignored when written.
  const ElementState& Get(std::string_view name) const;
  void SetCaption(std::string_view name, std::string_view caption);
  void SetVisible(std::string_view name, bool visible);
  void SetEnabled(std::string_view name, bool enabled);

  // Names of the elements whose state changed since the last call, each once.
  std::vector<std::string> TakeChanged();
  std::vector<std::string> Names() const;

 private:
  struct Entry {
    ElementState state;
    bool dirty = false;
  };
  Entry* Find(std::string_view name);
  void MarkDirty(const std::string& name, Entry& e);

  std::unordered_map<std::string, Entry> elements_;
  std::vector<std::string> changed_;
};

}  // namespace orvane
