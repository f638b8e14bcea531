#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quellix {

// The program keeps its texts in UTF-8; Qt keeps them in UTF-16.
inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quellix
