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
  FocusStop ring;
  const bool ringShown = focusedStop(window, ring);
  for (const FocusStop& stop : window.focusStops()) {
    const bool focused = ringShown && stop.control == ring.control && stop.part == ring.part;
    buttons.push_back(ButtonDescription{std::string(window.NameFocusStop(stop)), stop.rect, focused});
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
