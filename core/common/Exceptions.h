#pragma once
// Exception classes shared by the whole core. Messages are UTF-8 Portuguese
// texts shown to the user as they stand.

#include <stdexcept>
#include <string>

namespace vastrel {

// The general exception class: every error the system raises derives from it.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A floating-point fault (division by zero, logarithm of a non-positive
// number, overflow, a result that is not a finite number). The engine never
// lets an infinity or a NaN through: it raises this instead, and the guard
// of the computation replaces it by its own message.
class EMathError : public Exception {
public:
    explicit EMathError(const std::string& message) : Exception(message) {}
};

// A text that should hold a number and does not.
class EConvertError : public Exception {
public:
    explicit EConvertError(const std::string& message) : Exception(message) {}
};

// Reading or writing a file failed at the operating-system level.
class EInOutError : public Exception {
public:
    explicit EInOutError(const std::string& message) : Exception(message) {}
};

} // namespace vastrel
