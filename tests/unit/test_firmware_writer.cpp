// The firmware writer's decisions, with the window and the files replaced by a recording fake.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "payload/firmware_writer.h"
#include "ui/exceptions.h"

namespace qz::payload {
namespace {

const std::wstring kSuccessE = L"Файл прошивки успешно сохранен на \"E:\\\"";
const std::wstring kWriteErrorE = L"Ошибка записи на \"E:\\\"";
const std::wstring kWarning =
    L"ВНИМАНИЕ! Перед прошивкой рекомендуется отключить от терминала все подключенные кабели и устройства, кроме "
    L"адаптера питания!";

struct Box {
  std::wstring text, title;
  unsigned flags;
  bool buttonEnabled;  // while the box was open
};

// Window and files in one, recording every call in order.
struct Recorder : WriterWindow, WriterFiles {
  std::wstring driveText = L"E:\\";
  std::wstring programFolder = L"C:\\Программы\\QZ\\";
  std::vector<std::byte> firmware{std::byte{0x51}, std::byte{0x5A}, std::byte{0x00}, std::byte{0xFF}};
  std::function<void()> failOpen, failCreate, failWrite;
  bool copyResult = true;
  bool verifyResult = true;
  // Runs while a box is open, as the drive watcher's ticks do.
  std::function<void(Recorder&)> duringBox;

  std::vector<std::wstring> calls;
  std::vector<Box> boxes;
  bool buttonEnabled = true;
  const std::byte* written = nullptr;
  const std::byte* verified = nullptr;

  void SetSaveEnabled(bool enabled) override {
    buttonEnabled = enabled;
    calls.push_back(enabled ? L"enable" : L"disable");
  }
  std::wstring DriveText() override {
    calls.push_back(L"drive");
    return driveText;
  }
  void ShowMessageBox(const std::wstring& text, const std::wstring& title, unsigned flags) override {
    calls.push_back(L"box " + title);
    boxes.push_back(Box{text, title, flags, buttonEnabled});
    if (duringBox) duringBox(*this);
  }
  PayloadView OpenPayload(const wchar_t* name) override {
    calls.push_back(std::wstring(L"open ") + name);
    if (failOpen) failOpen();
    return PayloadView(firmware);
  }
  std::wstring ProgramFilePath(const std::wstring& fileName) override {
    if (failCreate) failCreate();
    return programFolder + fileName;
  }
  void WritePayload(PayloadView payload, const std::wstring& path) override {
    calls.push_back(L"write " + path);
    if (failWrite) failWrite();
    written = payload.data();
    EXPECT_EQ(payload.size(), firmware.size());
  }
  void RemoveFile(const std::wstring& path) override { calls.push_back(L"remove " + path); }
  bool CopyOver(const std::wstring& source, const std::wstring& target) override {
    calls.push_back(L"copy " + source + L" > " + target);
    return copyResult;
  }
  bool VerifyOnDevice(const std::wstring& path, PayloadView expected) override {
    calls.push_back(L"verify " + path);
    verified = expected.data();
    EXPECT_EQ(expected.size(), firmware.size());
    return verifyResult;
  }

  void Run() { WriteFirmwareToDrive(*this, *this); }
};

const std::wstring kSource = L"C:\\Программы\\QZ\\QZ1769_m.dat";
const std::wstring kTarget = L"E:\\QZ1769_m.dat";

struct Outcome {
  const char* name;
  std::function<void(Recorder&)> setUp;
  std::vector<std::wstring> calls;
  std::vector<std::wstring> boxTexts;
};

class WriterOutcome : public ::testing::TestWithParam<Outcome> {};

TEST_P(WriterOutcome, CallsBoxesAndButton) {
  const Outcome& o = GetParam();
  Recorder r;
  o.setUp(r);
  r.Run();
  EXPECT_EQ(r.calls, o.calls);
  std::vector<std::wstring> texts;
  for (const Box& b : r.boxes) {
    texts.push_back(b.text);
    EXPECT_FALSE(b.buttonEnabled) << "the button is off while a box is open";
  }
  EXPECT_EQ(texts, o.boxTexts);
  EXPECT_TRUE(r.buttonEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Writer, WriterOutcome,
    ::testing::Values(
        Outcome{"CopiedAndVerified", [](Recorder&) {},
                {L"disable", L"drive", L"open Firmware", L"write " + kSource, L"remove " + kTarget,
                 L"copy " + kSource + L" > " + kTarget, L"verify " + kTarget, L"box Процесс завершен",
                 L"box Предупреждение", L"enable"},
                {kSuccessE, kWarning}},
        // The drive is gone, full or write-protected, or the source vanished: a partial copy must not stay.
        Outcome{"CopyFails", [](Recorder& r) { r.copyResult = false; },
                {L"disable", L"drive", L"open Firmware", L"write " + kSource, L"remove " + kTarget,
                 L"copy " + kSource + L" > " + kTarget, L"remove " + kTarget, L"box Ошибка записи", L"enable"},
                {kWriteErrorE}},
        // The flush failed or the device gave back other bytes.
        Outcome{"ReadBackDiffers", [](Recorder& r) { r.verifyResult = false; },
                {L"disable", L"drive", L"open Firmware", L"write " + kSource, L"remove " + kTarget,
                 L"copy " + kSource + L" > " + kTarget, L"verify " + kTarget, L"remove " + kTarget,
                 L"box Ошибка записи", L"enable"},
                {kWriteErrorE}},
        // Started from the drive's root: the extracted copy is the target, and is neither deleted nor copied.
        Outcome{"RunFromDriveRoot", [](Recorder& r) { r.programFolder = L"e:\\"; },
                {L"disable", L"drive", L"open Firmware", L"write e:\\QZ1769_m.dat", L"verify " + kTarget,
                 L"box Процесс завершен", L"box Предупреждение", L"enable"},
                {kSuccessE, kWarning}},
        Outcome{"RunFromDriveRootReadBackDiffers",
                [](Recorder& r) {
                  r.programFolder = L"\\\\?\\E:\\";
                  r.verifyResult = false;
                },
                {L"disable", L"drive", L"open Firmware", L"write \\\\?\\E:\\QZ1769_m.dat", L"verify " + kTarget,
                 L"remove " + kTarget, L"box Ошибка записи", L"enable"},
                {kWriteErrorE}},
        // A folder of that drive is not its root: the usual road.
        Outcome{"RunFromFolderOfDrive", [](Recorder& r) { r.programFolder = L"E:\\QZ\\"; },
                {L"disable", L"drive", L"open Firmware", L"write E:\\QZ\\QZ1769_m.dat", L"remove " + kTarget,
                 L"copy E:\\QZ\\QZ1769_m.dat > " + kTarget, L"verify " + kTarget, L"box Процесс завершен",
                 L"box Предупреждение", L"enable"},
                {kSuccessE, kWarning}},
        // The list emptied while a box was open and the button was pressed before the next tick.
        Outcome{"NoDriveShown", [](Recorder& r) { r.driveText.clear(); }, {L"disable", L"drive", L"enable"}, {}},
        Outcome{"NotARoot", [](Recorder& r) { r.driveText = L"E:"; }, {L"disable", L"drive", L"enable"}, {}}),
    [](const ::testing::TestParamInfo<Outcome>& info) { return std::string(info.param.name); });

TEST(Writer, BoxTitlesAndFlags) {
  Recorder ok;
  ok.Run();
  ASSERT_EQ(ok.boxes.size(), 2u);
  EXPECT_EQ(ok.boxes[0].title, L"Процесс завершен");
  EXPECT_EQ(ok.boxes[0].flags, 0u);
  EXPECT_EQ(ok.boxes[1].title, L"Предупреждение");
  EXPECT_EQ(ok.boxes[1].flags, 48u);

  Recorder bad;
  bad.copyResult = false;
  bad.driveText = L"G:\\";
  bad.Run();
  ASSERT_EQ(bad.boxes.size(), 1u);
  EXPECT_EQ(bad.boxes[0].text, L"Ошибка записи на \"G:\\\"");
  EXPECT_EQ(bad.boxes[0].title, L"Ошибка записи");
  EXPECT_EQ(bad.boxes[0].flags, 16u);
}

TEST(Writer, WritesAndVerifiesTheOpenedPayloadItselfNotACopy) {
  Recorder r;
  r.Run();
  EXPECT_EQ(r.written, r.firmware.data());
  EXPECT_EQ(r.verified, r.firmware.data());
}

// The watcher's ticks during the boxes empty the list and switch the button off; the root was read before the
// first box, both boxes still name it, and the button ends enabled.
TEST(Writer, DriveReadOnceAndButtonEnabledWhateverTheWatcherDid) {
  Recorder r;
  r.duringBox = [](Recorder& rec) {
    rec.driveText.clear();
    rec.buttonEnabled = false;
  };
  r.Run();
  EXPECT_EQ(std::count(r.calls.begin(), r.calls.end(), L"drive"), 1);
  ASSERT_EQ(r.boxes.size(), 2u);
  EXPECT_EQ(r.boxes[0].text, kSuccessE);
  EXPECT_TRUE(r.buttonEnabled);
  EXPECT_EQ(r.calls.back(), L"enable");
}

// A failure to open or extract the payload passes to the exception presentation before the drive is touched, and
// leaves the button for the watcher to enable.
TEST(Writer, ExtractionFailuresPassOnAndLeaveDriveAndButton) {
  struct Failure {
    const char* name;
    std::function<void(Recorder&)> setUp;
    std::wstring message;
    std::vector<std::wstring> calls;
  };
  const std::wstring createMessage =
      L"Cannot create file \"" + kSource + L"\". Access is denied";
  const std::vector<Failure> failures = {
      {"payload missing",
       [](Recorder& r) { r.failOpen = [] { throw EResNotFound(L"Resource Firmware not found"); }; },
       L"Resource Firmware not found", {L"disable", L"drive", L"open Firmware"}},
      {"program folder unknown",
       [](Recorder& r) {
         r.failCreate = [] { throw EFCreateError(L"Cannot create file \"QZ1769_m.dat\". Access is denied"); };
       },
       L"Cannot create file \"QZ1769_m.dat\". Access is denied", {L"disable", L"drive", L"open Firmware"}},
      {"copy cannot be created",
       [createMessage](Recorder& r) { r.failWrite = [createMessage] { throw EFCreateError(createMessage); }; },
       createMessage, {L"disable", L"drive", L"open Firmware", L"write " + kSource}},
      {"copy cannot be written",
       [](Recorder& r) { r.failWrite = [] { throw EWriteError(L"Stream write error"); }; }, L"Stream write error",
       {L"disable", L"drive", L"open Firmware", L"write " + kSource}},
  };
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.name);
    Recorder r;
    f.setUp(r);
    try {
      r.Run();
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), f.message);
    }
    EXPECT_EQ(r.calls, f.calls);
    EXPECT_FALSE(r.buttonEnabled);
    EXPECT_TRUE(r.boxes.empty());
  }
}

TEST(Writer, DriveRootAndSamePath) {
  for (const wchar_t* root : {L"E:\\", L"z:\\", L"A:\\"}) EXPECT_TRUE(IsDriveRoot(root)) << root;
  for (const wchar_t* text : {L"", L"E:", L"E:/", L"E:\\x", L"\\\\", L"1:\\", L"Ж:\\", L"E\\\\"}) {
    EXPECT_FALSE(IsDriveRoot(text)) << text;
  }
  struct Pair {
    const wchar_t *a, *b;
    bool same;
  };
  for (const Pair& p : {Pair{L"E:\\QZ1769_m.dat", L"e:\\qz1769_M.DAT", true},
                        Pair{L"\\\\?\\E:\\QZ1769_m.dat", L"E:\\QZ1769_m.dat", true},
                        Pair{L"E:/QZ1769_m.dat", L"E:\\QZ1769_m.dat", true},
                        Pair{L"E:\\QZ\\QZ1769_m.dat", L"E:\\QZ1769_m.dat", false},
                        Pair{L"F:\\QZ1769_m.dat", L"E:\\QZ1769_m.dat", false},
                        Pair{L"\\\\?\\UNC\\srv\\E:\\QZ1769_m.dat", L"E:\\QZ1769_m.dat", false}}) {
    EXPECT_EQ(SameFilePath(p.a, p.b), p.same) << p.a << L" / " << p.b;
  }
}

}  // namespace
}  // namespace qz::payload
