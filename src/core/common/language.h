#pragma once

#include <cstdint>
#include <string_view>

namespace quellix {

enum class Language { English, French };

// One rule everywhere: any value of Langue other than 0 selects French.
constexpr Language LanguageOf(std::int16_t langue) {
    return langue != 0 ? Language::French : Language::English;
}

// A text of the program in both languages; the language is chosen when the text is composed.
struct TextPair {
    std::string_view english;
    std::string_view french;

    constexpr std::string_view In(Language language) const {
        return language == Language::French ? french : english;
    }
};

}  // namespace quellix
