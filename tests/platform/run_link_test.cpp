// Run links: the link made for a token.
#include "platform/run_link.hpp"

#include <gtest/gtest.h>

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

}  // namespace
