// Keyboard and pad navigation: which buttons are stops and in what order, how
// the keys move the ring and press through it, the way back, the pad's keys,
// the question's own ring, the ring in the frame, and the buttons told to the host.
#include <gtest/gtest.h>

#include <span>
#include <sstream>

#include "platform/canvas.hpp"
#include "platform/focus_navigation.hpp"
#include "platform/imaging.hpp"
#include "platform/key_names.hpp"
#include "platform/language/language.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/question_box.hpp"
#include "platform/system/utf.hpp"
#include "platform/ui_controls.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

using Events = std::vector<std::string>;

constexpr uint32_t Sky = packRgba(40, 90, 200, 255);

// A menu-like screen: a picture over the whole window and, above it, two
// buttons in one row (added right first) and a lone button below them.
// Command 9 asks the question.
class MenuWindow : public RecordingWindow {
 public:
  MenuWindow() {
    hideFocusRing();
    backdropImage.Assign(&sky);
    normal.Assign(&grey);
    pressed.Assign(&orange);
    backdrop.SetImage(&backdropImage);
    backdrop.SetPos(0, 0, 480, 720);
    AddUiWin(&backdrop);
    setUp(right, 2, 250, 100);
    setUp(left, 1, 50, 100);
    setUp(bottom, 3, 150, 300);
  }
  void handleCommand(uint32_t wParam, int32_t lParam) override {
    RecordingWindow::handleCommand(wParam, lParam);
    if (wParam == 9) events.push_back("answer " + std::to_string(MzMessageBoxEx(m_hWnd, u"?", u"", 4, 0)));
  }

  Image sky = solidImage(4, 4, Sky);
  Image grey = solidImage(4, 4, Grey);
  Image orange = solidImage(4, 4, Orange);
  ImagingHelper backdropImage, normal, pressed;
  UiPicture2 backdrop;
  UiButton_Image left, right, bottom;

 private:
  void setUp(UiButton_Image& button, int32_t id, int32_t x, int32_t y) {
    button.SetID(id);
    button.SetPos(x, y, 100, 40);
    button.SetImage_Normal(&normal);
    button.SetImage_Pressed(&pressed);
    AddUiWin(&button);
  }
};

std::vector<int32_t> stopIds(const CMzWnd& window) {
  std::vector<int32_t> ids;
  for (const FocusStop& stop : window.focusStops()) ids.push_back(stop.control->GetID());
  return ids;
}

// The "focus" field of each dump in the output.
std::vector<std::string> focusFields(const std::string& output) {
  std::vector<std::string> fields;
  for (size_t at = output.find("\"focus\":"); at != std::string::npos; at = output.find("\"focus\":", at + 1)) {
    const size_t start = at + 8;
    fields.push_back(output.substr(start, output.find(',', start) - start));
  }
  return fields;
}

struct MenuRun {
  explicit MenuRun(const std::string& text) : script(text) {
    window.open();
    runMessageLoop();
  }
  ScriptedHost script;
  MenuWindow window;
};

TEST(FocusStops, ButtonsAboveAWholeWindowPictureInScreenOrder) {
  MenuWindow window;
  window.open();
  EXPECT_EQ(stopIds(window), (std::vector<int32_t>{1, 2, 3}));
  window.right.SetVisible(false);  // hidden buttons are skipped
  EXPECT_EQ(stopIds(window), (std::vector<int32_t>{1, 3}));
  UiPicture2 cover;  // a picture drawn over a button hides it from keys as from fingers
  cover.SetImage(&window.backdropImage);
  cover.SetPos(0, 280, 480, 100);
  window.AddUiWin(&cover);
  EXPECT_EQ(stopIds(window), (std::vector<int32_t>{1}));
  window.backdrop.SetVisible(false);  // no whole-window picture: the board keeps its keys
  EXPECT_TRUE(stopIds(window).empty());
}

TEST(FocusStops, AToolbarGivesOneStopPerUsableButton) {
  MenuWindow window;
  window.open();
  UiToolbar_Text toolbar;
  toolbar.SetID(101);
  toolbar.SetPos(0, 655, 480, 65);
  toolbar.SetButton(0, true, true, u"a");
  toolbar.SetButton(1, false, true, u"b");  // disabled
  toolbar.SetButton(2, true, true, u"c");
  window.AddUiWin(&toolbar);
  const std::vector<FocusStop> stops = window.focusStops();
  ASSERT_EQ(stops.size(), 5u);
  EXPECT_EQ(stops[3].control, &toolbar);
  EXPECT_EQ((std::pair{stops[3].part, stops[3].rect.left}), (std::pair{0, 0}));
  EXPECT_EQ((std::pair{stops[4].part, stops[4].rect.left}), (std::pair{1, 320}));
}

TEST(FocusNavigation, TheFirstKeyShowsTheRingOnTheFirstButtonAndTheNextOnesMoveIt) {
  MenuRun run(
      "dump\nkey Right\ndump\nkey Right\ndump\nkey Down\ndump\nkey Down\ndump\nkey Up\ndump\n"
      "key Tab\ndump\nkey Shift+Tab\ndump\nkey Left\ndump\ntap 5 5\ndump\nkey Tab\ndump\n");
  EXPECT_EQ(focusFields(run.script.output()),
            (std::vector<std::string>{"null", "1", "2", "3", "1", "3", "1", "3", "2", "null", "1"}));
  EXPECT_EQ(run.window.events, (Events{"down 5 5", "up 5 5"}));  // moving presses nothing
}

TEST(FocusNavigation, AScreenMayPutTheRingOnOneButtonWhichTheKeysMoveOnFrom) {
  MenuWindow window;
  window.open();
  FocusStop stop;
  EXPECT_FALSE(focusedStop(window, stop)) << "no ring before a key";
  focusOnControl(&window.bottom);
  ASSERT_TRUE(focusedStop(window, stop));
  EXPECT_EQ(stop.control, &window.bottom);
  HostEvent key;
  key.kind = HostEvent::Kind::Key;
  key.key = MzKey::Tab;
  ASSERT_TRUE(focusNavigationTakes(window, key));
  ASSERT_TRUE(focusedStop(window, stop));
  EXPECT_EQ(stop.control, &window.left) << "on from the button it was put on, wrapping";
  hideFocusRing();
}

TEST(FocusNavigation, ReturnAndSpaceHoldTheButtonDownThenReportItsCommand) {
  ScriptedHost script("key Down\nkey Return\nwait 99\ndump\nwait 1\ndump\nkey Space\nkey Tab\ndump\n");
  MenuWindow window;
  window.open();
  runMessageLoop();
  // Held for the press time, then released over itself; a following key
  // releases a held press first.
  EXPECT_EQ(window.events, (Events{"command 1 0", "command 1 0"}));
  EXPECT_EQ(focusFields(script.output()), (std::vector<std::string>{"1", "1", "2"}));
  EXPECT_NE(script.output().find("\"t\":99,"), std::string::npos);
}

TEST(FocusNavigation, EscapePressesALoneBottomButtonAndOtherwiseReachesTheWindow) {
  MenuRun lone("key Escape\nwait 100\ndump\n");
  EXPECT_EQ(lone.window.events, (Events{"command 3 0"}));
  EXPECT_EQ(focusFields(lone.script.output()), (std::vector<std::string>{"null"}));  // Escape shows no ring

  ScriptedHost script("key Escape\nwait 100\nkey Alt+Return\nkey R\n");
  MenuWindow row;
  row.bottom.SetPos(250, 100, 100, 40);  // bottom row of two: no way back
  row.open();
  runMessageLoop();
  const auto key = [](MzKey k, uint32_t modifiers) {
    return "key " + std::to_string(static_cast<int32_t>(k)) + " " + std::to_string(modifiers);
  };
  EXPECT_EQ(row.events, (Events{key(MzKey::Escape, 0), key(MzKey::Return, MzKeyModAlt), key(MzKey::R, 0)}));
}

// A window that takes Left and Right itself, with its three buttons in one row.
class PagingWindow : public MenuWindow {
 public:
  PagingWindow() { bottom.SetPos(360, 100, 100, 40); }
  bool KeepsKey(MzKey key) const override { return key == MzKey::Left || key == MzKey::Right; }
};

TEST(FocusNavigation, KeysTheWindowKeepsReachItAndUpAndDownStepThroughASingleRow) {
  ScriptedHost script("key Left\nkey Down\ndump\nkey Down\ndump\nkey Down\ndump\nkey Down\ndump\nkey Up\ndump\n"
                      "key Right\ndump\n");
  PagingWindow window;
  window.open();
  runMessageLoop();
  EXPECT_EQ(focusFields(script.output()), (std::vector<std::string>{"1", "2", "3", "1", "3", "3"}));
  const auto key = [](MzKey k) { return "key " + std::to_string(static_cast<int32_t>(k)) + " 0"; };
  EXPECT_EQ(window.events, (Events{key(MzKey::Left), key(MzKey::Right)}));
}

TEST(FocusNavigation, APauseLetsGoOfAHeldKeyPress) {
  MenuRun run("key Return\nfocus out\nwait 500\nkey Down\nwait 500\n");
  EXPECT_TRUE(run.window.events.empty());  // the pause let go of the button; the key only resumed
  EXPECT_FALSE(run.window.left.IsPressed());
}

TEST(FocusNavigation, EachPadButtonActsAsItsKey) {
  ScriptedHost script("pad up\npad down\npad left\npad right\npad a\npad b\npad x\npad y\npad start\n");
  RecordingWindow board;  // no stops: every key reaches the window
  board.open();
  runMessageLoop();
  Events expected;
  for (MzKey key : {MzKey::Up, MzKey::Down, MzKey::Left, MzKey::Right, MzKey::Space, MzKey::Escape, MzKey::R,
                    MzKey::B, MzKey::Return}) {
    expected.push_back("key " + std::to_string(static_cast<int32_t>(key)) + " 0");
  }
  EXPECT_EQ(board.events, expected);
}

TEST(FocusNavigation, PadButtonNamesReadBackAndUnknownNamesAreRefused) {
  for (auto button : {MzPadButton::Up, MzPadButton::Down, MzPadButton::Left, MzPadButton::Right, MzPadButton::A,
                      MzPadButton::B, MzPadButton::X, MzPadButton::Y, MzPadButton::Start, MzPadButton::Back}) {
    EXPECT_EQ(padButtonFromName(padButtonName(button)), button);
  }
  EXPECT_EQ(padButtonFromName("START"), MzPadButton::Start);
  EXPECT_FALSE(padButtonFromName("select").has_value());
  EXPECT_FALSE(padButtonFromName("").has_value());
}

TEST(FocusNavigation, TheQuestionOpensOnYesAndItsKeysMoveBetweenItsButtons) {
  MenuRun yes("key Down\nkey Right\nkey Return\nwait 100\ndump\nkey Space\n");
  EXPECT_EQ(yes.window.events, (Events{"command 2 0"}));
  MenuRun moved(
      "command 9\ndump\nkey Left\ndump\nkey Right\ndump\nkey Tab\ndump\nkey Up\nkey Return\n"
      "command 9\ndump\nkey Space\ncommand 9\nkey N\ncommand 9\nkey Y\n");
  EXPECT_EQ(moved.window.events, (Events{"command 9 0", "answer 2", "command 9 0", "answer 1", "command 9 0",
                                         "answer 2", "command 9 0", "answer 1"}));
  // The ring shows from the first arrow; a question opened later starts on yes.
  EXPECT_EQ(focusFields(moved.script.output()),
            (std::vector<std::string>{"null", "\"yes\"", "\"no\"", "\"yes\"", "\"yes\""}));
}

TEST(FocusNavigation, TheRingIsDrawnInsideTheFocusedButtonAndGoesWithIt) {
  ScriptedHost script("key Right\nkey Right\n");
  MenuWindow window;
  window.open();
  runMessageLoop();
  // The second button (250, 100, 100 x 40): its edge carries the ring, its
  // middle and the first button do not.
  EXPECT_NE(frameColour(251, 101), 0x808080u);
  EXPECT_NE(frameColour(300, 103), 0x808080u);
  EXPECT_EQ(frameColour(300, 120), 0x808080u);
  EXPECT_EQ(frameColour(51, 101), 0x808080u);
  window.right.SetVisible(false);
  paintIfDirty();
  EXPECT_EQ(frameColour(251, 101), 0x285AC8u);  // the sky where the button and its ring were
  EXPECT_NE(frameColour(51, 101), 0x808080u);   // the ring went to the first button
}

// Remembers each list of buttons the host is told.
struct MirrorStreams {
  std::istringstream in;
  std::ostringstream out, err;
};
class MirrorHost : private MirrorStreams, public HeadlessHost {
 public:
  explicit MirrorHost(const std::string& script) : HeadlessHost(in, out, err) {
    in.str(script);
    setCurrentHost(this);
    restartLoopClock();
  }
  ~MirrorHost() override { setCurrentHost(nullptr); }
  void describeButtons(std::span<const ButtonDescription> buttons) override {
    std::string line;
    for (const ButtonDescription& button : buttons) {
      line += (button.focused ? "[" : "") + button.name + (button.focused ? "] " : " ");
    }
    told.push_back(line);
  }
  std::vector<std::string> told;
};

class NamedMenuWindow : public MenuWindow {
 public:
  std::string_view NameFocusStop(const FocusStop& stop) const override {
    name_ = "button " + std::to_string(stop.control->GetID());
    return name_;
  }

 private:
  mutable std::string name_;
};

TEST(ButtonMirror, TheHostIsToldTheButtonsTheirNamesAndTheRingOnlyWhenTheyChange) {
  MirrorHost host("wait 50\nkey Tab\nwait 50\nkey Tab\nwait 50\ncommand 9\nkey Right\nwait 50\nkey Return\n"
                  "wait 50\n");
  NamedMenuWindow window;
  window.open();
  runMessageLoop();
  const std::string yes = utf8FromUtf16(translatedText(QuestionBox::answerCaption(true)));
  const std::string no = utf8FromUtf16(translatedText(QuestionBox::answerCaption(false)));
  EXPECT_EQ(host.told, (std::vector<std::string>{
                           "button 1 button 2 button 3 ",
                           "[button 1] button 2 button 3 ",
                           "button 1 [button 2] button 3 ",
                           "[" + yes + "] " + no + " ",  // the question: the ring starts on yes
                           yes + " [" + no + "] ",
                           "button 1 [button 2] button 3 ",
                       }));
}

}  // namespace
