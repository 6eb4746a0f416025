// A window of our own or a subclassed system control, with its messages forwarded to a member function.
// Every exception that a message handler lets escape stops here and goes to the application object, so none
// ever unwinds through the system's frames.
#pragma once

#include <windows.h>

#include <string>

namespace qz {

class Window {
public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }

  std::wstring Text() const;
  // Setting the text it already holds changes nothing on screen.
  void SetText(const std::wstring& text);
  bool Enabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
  void SetEnabled(bool enabled);
  bool Visible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
  void SetVisible(bool visible);

protected:
  struct CreateParams {
    const wchar_t* className = nullptr;
    DWORD exStyle = 0;
    DWORD style = 0;
    const wchar_t* text = L"";
    RECT bounds{};
    HWND parent = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    int backgroundColor = COLOR_BTNFACE;
  };
  // Registers the class on first use and creates a window of our own.
  void CreateOwn(const CreateParams& params);
  // Creates a window of a system class and routes its messages through HandleMessage.
  void CreateSubclassed(const CreateParams& params);

  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

private:
  static LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT Dispatch(Window* self, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  WNDPROC systemProc_ = nullptr;
};

// Moves the focus off a control that is about to be hidden or disabled, so that keys keep reaching the window.
void ReleaseFocusFrom(HWND control);

// UTF-16 text of a window.
std::wstring WindowText(HWND hwnd);

}  // namespace qz
