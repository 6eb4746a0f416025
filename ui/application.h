// The application object: its title and the window that carries the taskbar entry, the hint, the message boxes,
// the exception presentation, the last-resort report and the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "ui/exceptions.h"
#include "ui/window.h"

namespace qz {

class TForm;
class HintWindow;

class TApplication {
public:
  TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  ~TApplication();

  // The framework's start hook; nothing of the program's is attached to it.
  void Initialize() {}

  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);
  HWND Handle() const;

  int HintPause() const { return hintPause_; }
  void SetHintPause(int milliseconds) { hintPause_ = milliseconds; }
  int HintHidePause() const { return hintHidePause_; }

  // Builds a form. The reference is valid from the start of construction; the first form becomes the main one.
  // Its creation handler runs once it is built, and an exception there is shown, not passed on.
  template <typename F>
  void CreateForm(F*& reference) {
    void* memory = ::operator new(sizeof(F));
    reference = static_cast<F*>(memory);
    try {
      new (memory) F();
    } catch (...) {
      reference = nullptr;
      ::operator delete(memory);
      throw;
    }
    AdoptForm(std::unique_ptr<TForm>(reference));
  }

  // Shows the main form and dispatches messages until it is closed.
  void Run();

  // A modal box owned by the application window; the program's other windows take no input while it is open.
  void ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);
  void ShowException(const Exception& e);
  // The report for an exception that escaped start-up: a task-modal box without owner.
  static void ShowLastResort(const Exception& e);

  // Hints: a control with a hint reports the pointer's comings and goings.
  void HintPointerOver(HWND control, const std::wstring& hint);
  void HintPointerLeft(HWND control);

  void Minimize();

private:
  class AppWindow;
  void AdoptForm(std::unique_ptr<TForm> form);
  bool PreTranslate(const MSG& msg);
  void HintTimerFired(UINT_PTR id);

  std::wstring title_;
  std::unique_ptr<AppWindow> window_;
  std::unique_ptr<HintWindow> hint_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  HWND hintControl_ = nullptr;
  std::wstring hintText_;
};

// The one application object.
extern TApplication* Application;

}  // namespace qz
