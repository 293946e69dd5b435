// Everything play shows or plays later, loaded once before a level starts, so
// that play itself reads no file and allocates nothing: a colour, lightning
// frame or ending seen for the first time is already decoded.
#include "platform/imaging.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::prepareForPlay() {
  // The decoded pictures stay in the process's picture store; this handle only
  // puts them there. Pictures already there are found without decoding.
  ImagingHelper store;
  for (const char16_t* file : ImageFile::shots) store.LoadImageW(imagePath(file));
  for (const char16_t* file : ImageFile::previews) store.LoadImageW(imagePath(file));
  for (const char16_t* file : ImageFile::lightning) store.LoadImageW(imagePath(file));
  for (const char16_t* file : {ImageFile::cloud, ImageFile::timeBar, ImageFile::levelPassed, ImageFile::gameOver}) {
    store.LoadImageW(imagePath(file));
  }
  sound.prepareSounds();
}
