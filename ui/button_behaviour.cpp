#include "ui/button_behaviour.h"

namespace qz {

void ButtonBehaviour::PointerMoved(bool overButton) { pointerOver_ = overButton; }

void ButtonBehaviour::PointerLeft() { pointerOver_ = false; }

void ButtonBehaviour::MouseDown(bool overButton) {
  pointerOver_ = overButton;
  mouseHeld_ = overButton;
}

bool ButtonBehaviour::MouseUp(bool overButton) {
  pointerOver_ = overButton;
  const bool fires = mouseHeld_ && overButton;
  mouseHeld_ = false;
  return fires;
}

bool ButtonBehaviour::KeyDown(Key key, bool autoRepeat) {
  if (key == Key::Space) {
    spaceHeld_ = true;
    return false;
  }
  return key == Key::Enter && !autoRepeat;
}

bool ButtonBehaviour::KeyUp(Key key) {
  if (key != Key::Space || !spaceHeld_) return false;
  spaceHeld_ = false;
  return true;
}

void ButtonBehaviour::Cancel() {
  mouseHeld_ = false;
  spaceHeld_ = false;
}

ButtonFace ButtonBehaviour::Face() const {
  if ((mouseHeld_ && pointerOver_) || spaceHeld_) return ButtonFace::Down;
  if (pointerOver_ && !mouseHeld_) return ButtonFace::Hot;
  return ButtonFace::Up;
}

}  // namespace qz
