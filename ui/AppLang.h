#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <span>

namespace lt {

// One window's interface texts in the three languages, entry n of each list
// being the same text. The source holds UTF-8; lookups hand out the bytes the
// interface works with (ASCII, GBK, or Big5 for Traditional Chinese).
struct TextTable {
    std::span<const char* const> english;
    std::span<const char* const> simplified;  // Simplified characters
    std::span<const char* const> traditional; // Traditional characters
};

// Number of entries of the main window's table.
inline constexpr int kMainTextEntries = 310;

// Language type for a system language: Chinese in Simplified script or of the
// mainland or Singapore gives 2, any other Chinese 3, anything else 1.
int DetectLangType(const QLocale& locale);

// The language object: which table a lookup uses. Types: 1 English,
// 2 Simplified Chinese, 3 Traditional Chinese.
class TAppLang {
public:
    TAppLang();

    void fSetLangType(int type);
    // Derives the type from the system language (QLocale::system()).
    void fSetDetectType(int unused = 0);
    int langType() const { return type_; }

    // Maps the stored interface language (0 English, 1 Simplified,
    // 2 Traditional, anything else: follow the system) to a type.
    void SetInterfaceLanguage(int language);

    // Entry n of table for the current type, as bytes (ASCII or GBK), passed
    // through FromGBK. Out-of-range entries give an empty text.
    QByteArray GetText(const TextTable& table, int n) const;
    // For type 3 with conversion on: GBK bytes to Big5 bytes, length kept.
    QByteArray FromGBK(const QByteArray& text) const;
    // The one place that turns interface bytes into text for a widget: decodes
    // with the codec that matches the bytes of the current type.
    QString toDisplay(const QByteArray& bytes) const;
    // GetText then toDisplay.
    QString Text(const TextTable& table, int n) const { return toDisplay(GetText(table, n)); }

private:
    int type_ = 1;
    bool convert_ = true;
};

// The program-wide language object.
TAppLang& AppLang();

// The main window's 310-entry table.
const TextTable& MainTextTable();

// Entry n of the main window's table, ready for a widget.
inline QString MainText(int n) { return AppLang().Text(MainTextTable(), n); }

} // namespace lt
