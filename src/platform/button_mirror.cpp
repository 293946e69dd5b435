// The buttons last told to the host, and the comparison that decides whether
// to tell it again.
#include "platform/button_mirror.hpp"

#include <vector>

#include "platform/focus_navigation.hpp"
#include "platform/host.hpp"
#include "platform/language/language.hpp"
#include "platform/mz_window.hpp"
#include "platform/question_box.hpp"
#include "platform/system/utf.hpp"

namespace {

std::vector<ButtonDescription> toldButtons;
bool told = false;

std::vector<ButtonDescription> currentButtons(const CMzWnd& window) {
  std::vector<ButtonDescription> buttons;
  const QuestionBox& question = questionBox();
  if (question.isOpen()) {
    for (const bool yes : {true, false}) {
      buttons.push_back(ButtonDescription{utf8FromUtf16(translatedText(QuestionBox::answerCaption(yes))),
                                          QuestionBox::answerRect(yes),
                                          focusRingShown() && question.focusOnYes() == yes});
    }
    return buttons;
  }
  const std::vector<FocusStop> stops = window.focusStops();
  const size_t ring = ringStopIndex(stops);
  for (size_t i = 0; i < stops.size(); ++i) {
    buttons.push_back(ButtonDescription{std::string(window.NameFocusStop(stops[i])), stops[i].rect, i == ring});
  }
  return buttons;
}

}  // namespace

void describeButtonsIfChanged(CMzWnd& window) {
  Host* host = currentHost();
  if (!host) return;
  std::vector<ButtonDescription> buttons = currentButtons(window);
  if (told && buttons == toldButtons) return;
  host->describeButtons(buttons);
  toldButtons = std::move(buttons);
  told = true;
}

void forgetDescribedButtons() {
  toldButtons.clear();
  told = false;
}
