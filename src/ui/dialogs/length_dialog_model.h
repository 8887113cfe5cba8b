#pragma once

// The rules of the cable length dialog ("Change distance"): the length shown with one decimal, the
// check made when the edit is left, and the new length on OK. A text that is not a number, or a
// negative length (a cable cannot amplify), keeps the dialog open with the edit selected.
#include <optional>
#include <string>
#include <string_view>

namespace ixo {

class LengthDialogModel {
public:
    static constexpr std::string_view kCaption = "Change distance";
    static constexpr std::string_view kLabel = "New distance";
    static constexpr std::string_view kUnit = "m.";

    explicit LengthDialogModel(char decimalSeparator = '.') : m_separator(decimalSeparator) {}

    // Remembers the length and shows it with one decimal.
    void SetLength(double metres);
    double Length() const { return m_length; }
    const std::string& Text() const { return m_text; }
    void SetText(std::string_view text) { m_text = std::string(text); }
    char DecimalSeparator() const { return m_separator; }

    // Leaving the edit: true when the text is a length; otherwise the edit keeps the focus.
    bool Leave() const;
    // OK: the new length, or nothing (the dialog stays open, the edit selected).
    std::optional<double> Accept();

private:
    char m_separator;
    double m_length = 0.0;
    std::string m_text;
};

} // namespace ixo
