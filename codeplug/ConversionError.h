#pragma once

#include <stdexcept>
#include <string>

namespace lt {

// Raised when a text typed or pasted into a numeric field cannot be converted.
// Event handlers let it reach the application's error report, which shows the
// message; the field being committed keeps its previous value.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static ConversionError notFloat(const std::string& text)
    {
        return ConversionError("'" + text + "' is not a valid floating point value");
    }
    static ConversionError notInteger(const std::string& text)
    {
        return ConversionError("'" + text + "' is not a valid integer value");
    }
};

} // namespace lt
