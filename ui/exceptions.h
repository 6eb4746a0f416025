// The exception classes of the program's framework. Handlers raise them; the application object shows them.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace qz {

class Exception : public std::exception {
public:
  explicit Exception(std::wstring message)
      : message_(std::move(message)),
        address_(reinterpret_cast<std::uintptr_t>(__builtin_return_address(0))) {}
  const std::wstring& Message() const noexcept { return message_; }
  // Where in the code the exception was raised, for the last-resort report.
  std::uintptr_t Address() const noexcept { return address_; }
  virtual const wchar_t* ClassName() const noexcept { return L"Exception"; }
  const char* what() const noexcept override { return "qz::Exception"; }

private:
  std::wstring message_;
  std::uintptr_t address_;
};

#define QZ_DECLARE_EXCEPTION(Name, Base)                                     \
  class Name : public Base {                                                 \
  public:                                                                    \
    using Base::Base;                                                        \
    const wchar_t* ClassName() const noexcept override { return L## #Name; } \
  }

QZ_DECLARE_EXCEPTION(ERangeError, Exception);
QZ_DECLARE_EXCEPTION(EIntOverflow, Exception);
QZ_DECLARE_EXCEPTION(EOutOfResources, Exception);
QZ_DECLARE_EXCEPTION(EResNotFound, Exception);
QZ_DECLARE_EXCEPTION(EStreamError, Exception);
QZ_DECLARE_EXCEPTION(EFCreateError, EStreamError);
QZ_DECLARE_EXCEPTION(EWriteError, EStreamError);
QZ_DECLARE_EXCEPTION(EOutOfMemory, Exception);

#undef QZ_DECLARE_EXCEPTION

// The framework's own message texts (its string table).
inline constexpr const wchar_t* kRangeCheckError = L"Range check error";
inline constexpr const wchar_t* kIntOverflow = L"Integer overflow";
inline constexpr const wchar_t* kNoTimers = L"Not enough timers available";
inline constexpr const wchar_t* kOutOfMemory = L"Out of memory";

// Range-checked conversion, as the program's own code runs with range checking on.
template <typename To, typename From>
To RangeChecked(From value) {
  if (!std::in_range<To>(value)) throw ERangeError(kRangeCheckError);
  return static_cast<To>(value);
}

}  // namespace qz
