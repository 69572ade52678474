#pragma once

#include <QString>

// Reads one value from an INI file with the profile API's rules: section and
// key matched without regard to case, the first match wins, the value trimmed
// and stripped of one pair of surrounding quotes, at most 2,047 characters.
// A missing file, section or key reads as the default.
class IniReader {
public:
    explicit IniReader(const QString& fileName) : m_fileName(fileName) {}
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;

    static constexpr int kMaxValueLength = 2047;

private:
    QString m_fileName;
};
