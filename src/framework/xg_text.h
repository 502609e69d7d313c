#pragma once
// Tag names and texts are Latin-1 bytes; these are the one way between them and Qt's strings.

#include <QString>
#include <string>

namespace zephane {

inline std::string latin1(const QString& text) { return text.toLatin1().toStdString(); }
// The other way: every byte one character, embedded NULs kept.
inline QString from_latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace zephane
