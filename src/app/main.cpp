// Process entry: the shared images, then the application object, built in
// this order before the platform's entry function runs and destroyed in the
// reverse order at exit.
#include "app/game_app.hpp"
#include "app/version.hpp"
#include "platform/mz_app.hpp"
#include "screen/shared_images.hpp"

SharedImages sharedImages;
GameApp gameApp(sharedImages);

int main(int argc, char** argv) { return WinMain(argc, argv, quandrelVersion()); }
