#pragma once

#include <stdexcept>
#include <string>

namespace lt {

// Raised when a text typed or pasted into a numeric field cannot be converted.
// Event handlers let it reach the application's error report, which shows the
// text and what it should have been in the interface language; the field being
// committed keeps its previous value. what() says the same in English.
class ConversionError : public std::runtime_error {
public:
    enum class Expected { Float, Integer };

    static ConversionError notFloat(const std::string& text) { return {Expected::Float, text}; }
    static ConversionError notInteger(const std::string& text) { return {Expected::Integer, text}; }

    Expected expected() const { return expected_; }
    // The text as it was typed (UTF-8).
    const std::string& text() const { return text_; }

private:
    ConversionError(Expected expected, const std::string& text)
        : std::runtime_error("'" + text + "' is not a valid "
                             + (expected == Expected::Float ? "floating point" : "integer") + " value")
        , expected_(expected)
        , text_(text)
    {
    }

    Expected expected_;
    std::string text_;
};

} // namespace lt
