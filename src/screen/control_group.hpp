// Controls shown and hidden together: the controls a screen shows whenever
// it is open (its full-screen picture first), or those of a screen that show
// only in some of its states. Each screen notes its own once, as it is built.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

class UiWin;
struct PanelButton;
struct PanelRow;

class ControlGroup {
 public:
  // Each control given, each of an array's, a panel button's button, a
  // panel row's word and value.
  template <typename... Controls>
  void add(Controls&... controls) {
    (addEach(controls), ...);
  }
  void setVisible(bool visible) const;
  // Nothing was added: the screen is not built yet.
  bool empty() const { return controls_.empty(); }

 private:
  void addEach(UiWin& control) { controls_.push_back(&control); }
  void addEach(PanelButton& button);
  void addEach(PanelRow& row);
  template <typename Control, size_t N>
  void addEach(std::array<Control, N>& controls) {
    for (Control& control : controls) addEach(control);
  }

  std::vector<UiWin*> controls_;
};
