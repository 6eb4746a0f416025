// The embedded payloads: their names, the view of an opened one, and the texts their operations fail with.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace qz::payload {

// An opened payload: the executable's own loaded resource data, read-only. It is never copied; it stays valid
// for as long as the executable is loaded, so releasing it needs no call.
using PayloadView = std::span<const std::byte>;

// Asked for by these mixed-case names; the resource directory stores them in upper case.
inline constexpr const wchar_t* kFirmwarePayload = L"Firmware";
inline constexpr const wchar_t* kChangesPayload = L"Changes";

// The framework's own message texts.
inline constexpr const wchar_t* kStreamWriteError = L"Stream write error";

// "Resource <name> not found", with the name as it was asked for.
std::wstring ResourceNotFoundMessage(const std::wstring& name);

// "Cannot create file "<path>". <system text>".
std::wstring CreateErrorMessage(const std::wstring& path, const std::wstring& systemText);

// The system's description of an error without what it ends in (line break, blanks, full stop), so that the
// exception presentation's own full stop is the only one.
std::wstring TrimSystemMessage(std::wstring text);

// The folder of a full path, cut after its last backslash or colon so that it keeps its separator; empty when
// the path has neither.
std::wstring FolderOfPath(const std::wstring& path);

}  // namespace qz::payload
