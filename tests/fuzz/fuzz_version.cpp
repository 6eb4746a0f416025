// Arbitrary bytes as the version block of the program's executable: the lookup must stay inside them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/version.h"
#include "app/version_block.h"
#include "ui/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qz::app;
  // An exact-size copy, so that the address sanitizer sees any read past the block.
  const std::vector<std::uint8_t> block(data, data + size);
  const VersionCalls calls{
      [&](const std::wstring&) { return static_cast<std::uint32_t>(block.size()); },
      [&](const std::wstring&, std::uint32_t n, std::uint8_t* buffer) {
        std::copy_n(block.begin(), std::min<std::size_t>(n, block.size()), buffer);
        return true;
      },
      [] { return std::wstring(L"C:\\app\\QZLoader.exe"); }};

  try {
    (void)VersionSuffix(GetPackedFileVersion(calls, L"C:\\app\\QZLoader.exe"));
  } catch (const qz::ERangeError&) {
  }
  (void)GetFullVersion(calls);

  const ByteSpan span(block);
  for (const wchar_t* path : {L"\\", L"\\VarFileInfo\\Translation", L"\\StringFileInfo\\041904E3\\ProductVersion",
                              L"\\StringFileInfo\\040904B0\\FileVersion"}) {
    if (const auto value = FindVersionValue(span, path)) (void)VersionText(span, *value);
  }
  return 0;
}
