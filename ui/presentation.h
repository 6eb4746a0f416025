// Texts of the application object's two ways of reporting an exception.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz {

// The message as the exception presentation shows it: a full stop is appended when the message is not
// empty and its last character sorts above '.'.
std::wstring PresentedMessage(const std::wstring& message);

// The body of the last-resort report for an exception that escaped start-up.
std::wstring LastResortReport(const std::wstring& className, const std::wstring& moduleName,
                              std::uintptr_t address, const std::wstring& message);

// Splits a hint into its lines; a carriage return, a line feed or the pair ends a line.
std::vector<std::wstring> HintLines(const std::wstring& text);

inline constexpr const wchar_t* kLastResortTitle = L"Application Error";

}  // namespace qz
