// Process entry. The shared images, then the application object, are built in
// this order when the entry function starts the game, and destroyed in the
// reverse order at exit, after the entry function has returned. A run that
// only answers (--help, --version, --records, --verify, a wrong command line) or cannot
// start (no display) builds neither, so it reads and writes no settings file.
#include "app/game_app.hpp"
#include "app/records_listing.hpp"
#include "app/run_verification.hpp"
#include "app/version.hpp"
#include "platform/mz_app.hpp"
#include "screen/shared_images.hpp"

namespace {

CMzApp& gameApplication() {
  static SharedImages sharedImages;
  static GameApp gameApp(sharedImages);
  return gameApp;
}

}  // namespace

int main(int argc, char** argv) { return WinMain(argc, argv, quandrelVersion(), gameApplication, listRecords, verifyRunCommand);
}
