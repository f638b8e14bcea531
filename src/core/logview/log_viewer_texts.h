#pragma once

#include "core/common/language.h"

// Texts of the log viewer.
namespace quellix {

namespace texts {

inline constexpr TextPair kLogViewerTitle{"Check Logs - [Back to Quellix: close] ->",
                                          "Voir les journaux - [Retour à Quellix] ->"};
// The removal question: "Remove Log '" & date & "'".
inline constexpr TextPair kRemoveLogStart{"Remove Log '", "Effacer le journal '"};
inline constexpr std::string_view kRemoveLogEnd = "'";

}  // namespace texts

// The pop-up's entries, which also exist in Portuguese (a hand-written Langue=2).
struct PopupText {
    std::string_view english;
    std::string_view french;
    std::string_view portuguese;
};
inline constexpr PopupText kRemoveLogItemStart{"Remove Log '", "Effacer le journal '",
                                               "Suprimir o jornal '"};
inline constexpr PopupText kCancelItem{"Cancel", "Annuler", "Cancelar"};

}  // namespace quellix
