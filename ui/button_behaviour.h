// How a push button reacts to the mouse and the keyboard, apart from drawing: which face it shows and when it
// fires its click. Shared by the hot-tracking push button and the picture button.
#pragma once

namespace qz {

enum class ButtonFace { Up, Hot, Down };

class ButtonBehaviour {
public:
  enum class Key { Enter, Space, Other };

  // Each input returns true when it fires the click.
  void PointerMoved(bool overButton);
  void PointerLeft();
  void MouseDown(bool overButton);
  bool MouseUp(bool overButton);
  bool KeyDown(Key key, bool autoRepeat);
  bool KeyUp(Key key);
  // Capture or focus taken away mid-press: the press is abandoned without a click.
  void Cancel();

  ButtonFace Face() const;
  bool Hot() const { return pointerOver_; }
  bool Pressed() const { return Face() == ButtonFace::Down; }
  bool MouseCaptured() const { return mouseHeld_; }

private:
  bool pointerOver_ = false;
  bool mouseHeld_ = false;
  bool spaceHeld_ = false;
};

}  // namespace qz
