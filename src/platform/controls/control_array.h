// Control arrays: controls of one name addressed by index ("txtUni[12]"). See controls.h.
#pragma once

#include <QWidget>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace controls {

// Indices need not be contiguous. The array does not own its controls (their container does).
// operator[] of an index that has no control gives a detached stand-in control, so a statement
// on a missing element does nothing visible (the element's Find gives nullptr).
template <class T>
class ControlArray {
 public:
  explicit ControlArray(std::string name) : name_(std::move(name)) {}
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  const std::string& Name() const { return name_; }

  // Creates element `index` in `parent`; extra arguments go to T's constructor after the
  // index. An existing element of that index is replaced in the array (not deleted).
  template <class... A>
  T& Create(QWidget* parent, int index, A&&... args) {
    T* c = new T(parent, name_, index, std::forward<A>(args)...);
    items_[index] = c;
    return *c;
  }
  // Adds an element made elsewhere (menu items: Menu::AddItem).
  T& Add(int index, T& control) {
    items_[index] = &control;
    return control;
  }

  T& operator[](int index) const {
    if (T* c = Find(index)) return *c;
    if (!standIn_) standIn_.reset(new T(nullptr, name_, index));
    return *standIn_;
  }
  T* Find(int index) const {
    auto it = items_.find(index);
    return it == items_.end() ? nullptr : it->second;
  }
  bool Exists(int index) const { return items_.count(index) != 0; }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // The smallest and largest index (0 and -1 for an empty array).
  int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
  int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
  std::vector<int> Indices() const {
    std::vector<int> out;
    for (const auto& kv : items_) out.push_back(kv.first);
    return out;
  }
  // Iterates (index, T*) pairs in index order.
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::string name_;
  std::map<int, T*> items_;
  mutable std::unique_ptr<T> standIn_;
};

}  // namespace controls
