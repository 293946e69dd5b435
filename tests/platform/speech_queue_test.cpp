// The speech queue with a voice that stands in for speech-dispatcher and SAPI:
// which lines reach a busy voice, the voice's own thread, and speech that
// cannot be had said once.
#include "platform/speech_queue.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

namespace {

// Guards a wait against a hang; no result depends on it.
constexpr auto HangGuard = std::chrono::seconds(20);

// What the stand-in voices heard, and a gate that holds a voice inside its
// speak() (a voice busy with a line) until opened.
struct Ear {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> heard;  // "polite:text" or "assertive:text", with "@language"
  bool open = true;
  int made = 0;
  std::thread::id madeOn, spokenOn, endedOn;
  std::string refusal;  // a voice that cannot speak answers this
  std::string errors;   // what the queue said on its error stream

  void waitHeard(size_t count) {
    std::unique_lock lock(mutex);
    changed.wait_for(lock, HangGuard, [&] { return heard.size() >= count; });
  }
  void waitErrors() {
    std::unique_lock lock(mutex);
    changed.wait_for(lock, HangGuard, [&] { return !errors.empty() && errors.back() == '\n'; });
  }
  void setOpen(bool value) {
    std::lock_guard lock(mutex);
    open = value;
    changed.notify_all();
  }
};

// The queue's error stream, written on the speaking thread into the ear.
class ErrorText final : public std::streambuf {
 public:
  explicit ErrorText(Ear& ear) : ear_(ear) {}

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    std::lock_guard lock(ear_.mutex);
    ear_.errors.append(text, static_cast<size_t>(count));
    ear_.changed.notify_all();
    return count;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      const char character = traits_type::to_char_type(c);
      xsputn(&character, 1);
    }
    return traits_type::not_eof(c);
  }

 private:
  Ear& ear_;
};

class HeldVoice final : public SpeechVoice {
 public:
  explicit HeldVoice(std::shared_ptr<Ear> ear) : ear_(std::move(ear)) {}
  ~HeldVoice() override {
    std::lock_guard lock(ear_->mutex);
    ear_->endedOn = std::this_thread::get_id();
  }
  std::string speak(const SpokenLine& line) override {
    std::unique_lock lock(ear_->mutex);
    ear_->spokenOn = std::this_thread::get_id();
    if (!ear_->refusal.empty()) return ear_->refusal;
    ear_->heard.push_back(std::string(announcementPriorityName(line.priority)) + ":" + line.text + "@" + line.language);
    ear_->changed.notify_all();
    ear_->changed.wait_for(lock, HangGuard, [&] { return ear_->open; });
    return {};
  }

 private:
  std::shared_ptr<Ear> ear_;
};

SpeechVoiceMaker heldVoices(const std::shared_ptr<Ear>& ear) {
  return [ear](std::string&) -> std::unique_ptr<SpeechVoice> {
    {
      std::lock_guard lock(ear->mutex);
      ear->made += 1;
      ear->madeOn = std::this_thread::get_id();
    }
    return std::make_unique<HeldVoice>(ear);
  };
}

constexpr auto P = AnnouncementPriority::Polite;
constexpr auto A = AnnouncementPriority::Assertive;

struct Line {
  AnnouncementPriority priority;
  std::string text;
};

std::string heardAs(const Line& line) {
  return std::string(announcementPriorityName(line.priority)) + ":" + line.text + "@en";
}

std::vector<Line> assertiveLines(int first, int last) {
  std::vector<Line> lines;
  for (int n = first; n <= last; ++n) lines.push_back({A, std::to_string(n)});
  return lines;
}

TEST(SpeechQueueTest, NewerLinesReplaceOlderPoliteOnesWaitingForABusyVoice) {
  const struct {
    const char* name;
    std::vector<Line> whileBusy;
    std::vector<Line> spokenAfter;
  } cases[] = {
      {"the newest polite line alone", {{P, "b"}, {P, "c"}, {P, "d"}}, {{P, "d"}}},
      // An assertive line replaces an older polite one and keeps its place before a newer one.
      {"an assertive line keeps its place", {{P, "b"}, {A, "x"}, {P, "c"}}, {{A, "x"}, {P, "c"}}},
      {"assertive lines are all spoken, in order", {{A, "x"}, {A, "y"}, {P, "b"}, {A, "z"}},
       {{A, "x"}, {A, "y"}, {A, "z"}}},
      {"a full queue of assertive lines lets its oldest go", assertiveLines(1, 17), assertiveLines(2, 17)},
  };
  for (const auto& c : cases) {
    auto ear = std::make_shared<Ear>();
    ErrorText errorText(*ear);
    std::ostream errors(&errorText);
    std::vector<std::string> expected{heardAs({P, "first"})};
    for (const Line& line : c.spokenAfter) expected.push_back(heardAs(line));
    {
      SpeechQueue queue(heldVoices(ear), errors);
      ear->setOpen(false);
      queue.speak("first", P, "en");
      ear->waitHeard(1);
      for (const Line& line : c.whileBusy) queue.speak(line.text, line.priority, "en");
      ear->setOpen(true);
      ear->waitHeard(expected.size());
    }
    std::lock_guard lock(ear->mutex);
    EXPECT_EQ(ear->heard, expected) << c.name;
    EXPECT_EQ(ear->made, 1) << c.name;
    EXPECT_EQ(ear->errors, "") << c.name;
  }
}

TEST(SpeechQueueTest, TheVoiceLivesOnTheSpeakingThreadAndHearsTheLanguage) {
  auto ear = std::make_shared<Ear>();
  ErrorText errorText(*ear);
  std::ostream errors(&errorText);
  {
    SpeechQueue queue(heldVoices(ear), errors);
    EXPECT_EQ(ear->made, 0) << "a voice made before anything was said";
    queue.speak("Menu principal.", A, "fr");
    ear->waitHeard(1);
    queue.speak("主菜单。", P, "zh");
    ear->waitHeard(2);
  }
  std::lock_guard lock(ear->mutex);
  EXPECT_EQ(ear->heard, (std::vector<std::string>{"assertive:Menu principal.@fr", "polite:主菜单。@zh"}));
  EXPECT_NE(ear->madeOn, std::this_thread::get_id());
  EXPECT_EQ(ear->spokenOn, ear->madeOn);
  EXPECT_EQ(ear->endedOn, ear->madeOn) << "the voice must end on the thread that made it";
}

TEST(SpeechQueueTest, SpeechThatCannotBeHadIsSaidOnceAndTheGameGoesOn) {
  const struct {
    const char* name;
    bool voiceMade;
    const char* expected;
  } cases[] = {
      {"no voice", false, "quandrel: speech is off: no voice here\n"},
      {"a voice that cannot speak", true, "quandrel: speech is off: the voice refused (0x80004001)\n"},
  };
  for (const auto& c : cases) {
    auto ear = std::make_shared<Ear>();
    ear->refusal = "the voice refused (0x80004001)";
    ErrorText errorText(*ear);
    std::ostream errors(&errorText);
    int attempts = 0;
    SpeechVoiceMaker maker = [&, voice = heldVoices(ear)](std::string& why) -> std::unique_ptr<SpeechVoice> {
      attempts += 1;
      if (c.voiceMade) return voice(why);
      why = "no voice here";
      return nullptr;
    };
    {
      SpeechQueue queue(maker, errors);
      queue.speak("line", P, "en");
      ear->waitErrors();
      for (int i = 0; i < 4; ++i) queue.speak("line", A, "en");
    }
    std::lock_guard lock(ear->mutex);
    EXPECT_EQ(ear->errors, c.expected) << c.name;
    EXPECT_EQ(attempts, 1) << c.name << ": a voice sought again after speech went off";
    EXPECT_TRUE(ear->heard.empty()) << c.name;
  }
}

TEST(SpeechQueueTest, AGameEndingLeavesAVoiceStuckInACall) {
  auto ear = std::make_shared<Ear>();
  std::ostream errors(nullptr);  // nothing is said here
  auto queue = std::make_unique<SpeechQueue>(heldVoices(ear), errors);
  ear->setOpen(false);
  queue->speak("stuck", P, "en");
  ear->waitHeard(1);
  queue.reset();  // returns although the voice has not
  ear->setOpen(true);
  std::lock_guard lock(ear->mutex);
  EXPECT_EQ(ear->heard, std::vector<std::string>{"polite:stuck@en"});
}

}  // namespace
