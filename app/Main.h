// The main window of the program, its controls and its four event handlers.
#pragma once

#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/timer.h"

namespace qz::app {

class TForm1 : public TForm {
public:
  TForm1();

  TLabel* Label1;
  TRzComboBox* DeviceBox;
  TRzMenuButton* SaveButton;
  TTimer* Timer1;
  TRzBmpButton* RzBmpButton1;
  TLabel* FullVer;

  void Timer1Timer(TObject* Sender);
  void SaveButtonClick(TObject* Sender);
  void RzBmpButton1Click(TObject* Sender);
  void FormCreate(TObject* Sender);
};

// The one main window, valid from the start of its construction.
extern TForm1* Form1;

// The two operations of the buttons; they reach the controls through Form1.
void WriteFirmwareToDrive();
void ShowChangeList();

// The program: start-up, the message loop and the exit code.
int RunProgram();

}  // namespace qz::app
