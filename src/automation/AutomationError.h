#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace corvane::automation {

// Error numbers that the object model raises (the numbers of the Automation
// runtime, reported to clients as 0x800A0000 + n).
namespace error {
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kObjectNotSet = 91;
inline constexpr int kInvalidUseOfNull = 94;
inline constexpr int kObjectDoesNotSupport = 438;
inline constexpr int kKeyAlreadyAssociated = 457;
}  // namespace error

inline constexpr char16_t kErrorSource[] = u"CorvaneSim";

// The one error type of the system: a result code with its description and
// source. Member errors carry 0x800A0000 + n; the data layer and the dispatch
// rules carry codes of their own.
class AutomationError : public std::exception {
public:
    AutomationError(std::int32_t hresult, std::u16string description, std::u16string source = kErrorSource);

    // Error number n with its standard description.
    static AutomationError fromNumber(int number);
    // Error number n with a description of the caller's choosing.
    static AutomationError fromNumber(int number, std::u16string description);

    std::int32_t hresult() const { return hresult_; }
    // n for 0x800A0000 + n, otherwise 0.
    int number() const;
    const std::u16string& description() const { return description_; }
    const std::u16string& source() const { return source_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::int32_t hresult_;
    std::u16string description_;
    std::u16string source_;
    std::string what_;
};

// The standard description of error number n ("Overflow", "Type mismatch"...),
// or "Application-defined or object-defined error" for numbers it does not know.
std::u16string standardDescription(int number);

[[noreturn]] void raiseError(int number);

}  // namespace corvane::automation
