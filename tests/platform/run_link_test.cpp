// Run links: the link made for a token; and the leaderboard's address as the
// game takes it.
#include "platform/run_link.hpp"

#include <gtest/gtest.h>

#include "platform/leaderboard_address.hpp"

#include "platform/silent_host.hpp"

namespace {

TEST(RunLink, PutsTheTokenBehindThePageAddressOrAlone) {
  struct Case {
    std::string_view address;
    std::string_view link;
  };
  for (const Case& c : {Case{"", "QRUN.x"}, Case{"  ", "QRUN.x"},
                        Case{"https://a.example/q/", "https://a.example/q/#run=QRUN.x"},
                        Case{"https://a.example/q/?lang=de#run=OLD", "https://a.example/q/?lang=de#run=QRUN.x"},
                        Case{" https://a.example/ \n", "https://a.example/#run=QRUN.x"}}) {
    EXPECT_EQ(runLinkAt(c.address, "QRUN.x"), c.link) << c.address;
  }
  // A board's token travels behind its own fragment.
  EXPECT_EQ(runLinkAt("https://a.example/q/#run=OLD", "QBRD.y"), "https://a.example/q/#board=QBRD.y");
  EXPECT_EQ(runLinkAt("", "QBRD.y"), "QBRD.y");
  // Without a page address given to the build, the default host shares the token alone.
  SilentHost host;
  EXPECT_EQ(host.runLink("QRUN.x"), runLinkAt(configuredPageAddress(), "QRUN.x"));
  EXPECT_EQ(host.shareText("text"), ShareOutcome::Failed) << "a host that cannot share says so";
  EXPECT_EQ(host.clipboardText(), "");
}

TEST(LeaderboardAddress, TakesAWebAddressWithoutItsTrailingSlashAndNothingElse) {
  struct Case {
    std::string_view asked;
    std::string_view taken;
  };
  for (const Case& c : {Case{"http://127.0.0.1:8480", "http://127.0.0.1:8480"},
                        Case{" https://example.org/board/ \n", "https://example.org/board"},
                        Case{"http://127.0.0.1:8480//", "http://127.0.0.1:8480"}, Case{"", ""}, Case{"  ", ""},
                        Case{"127.0.0.1:8480", ""}, Case{"ftp://example.org", ""}, Case{"file:///etc", ""}}) {
    EXPECT_EQ(leaderboardAddressFrom(c.asked), c.taken) << c.asked;
  }
}

}  // namespace
