// The two buttons' operations on the main window: its controls, the application's message boxes and the system's files.
#include "app/Main.h"
#include "payload/change_list.h"
#include "payload/firmware_writer.h"
#include "payload/win_document_shell.h"
#include "payload/win_writer_files.h"
#include "ui/application.h"

namespace qz::app {

namespace {

class Form1WriterWindow : public payload::WriterWindow {
public:
  void SetSaveEnabled(bool enabled) override { Form1->SaveButton->SetEnabled(enabled); }
  std::wstring DriveText() override { return Form1->DeviceBox->Text(); }
  void ShowMessageBox(const std::wstring& text, const std::wstring& title, unsigned flags) override {
    Application->ShowMessageBox(text, title, flags);
  }
};

}  // namespace

void WriteFirmwareToDrive() {
  Form1WriterWindow window;
  payload::SystemWriterFiles files;
  payload::WriteFirmwareToDrive(window, files);
}

void ShowChangeList() {
  Form1WriterWindow window;
  payload::SystemWriterFiles files;
  payload::SystemDocumentShell shell(Form1->Handle());
  payload::ShowChangeList(window, files, shell);
}

}  // namespace qz::app
