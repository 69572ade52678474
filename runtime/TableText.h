#pragma once

#include <cstddef>

// How tables go out as text, the same for every export of the program (the
// command line's tables and the analysis window's): the two formats and how
// one field of each is written. The writers append UTF-8 bytes to any output
// that takes append(char) and append(const char*, size).
namespace TableText {

enum class Format { Csv, Json };

// A CSV field after RFC 4180: as it is, or in double quotes with its quotes
// doubled when it holds a comma, a double quote, CR or LF.
template <typename Out> void appendCsvField(Out& out, const char* text, std::size_t size) {
    bool quoted = false;
    for (std::size_t i = 0; i < size && !quoted; ++i) {
        const char c = text[i];
        quoted = c == ',' || c == '"' || c == '\r' || c == '\n';
    }
    if (!quoted) {
        out.append(text, size);
        return;
    }
    out.append('"');
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == '"') {
            out.append(text + start, i + 1 - start); // the quote itself, then once more
            out.append('"');
            start = i + 1;
        }
    }
    out.append(text + start, size - start);
    out.append('"');
}

// A JSON string: the double quote and the backslash escaped, LF, CR and tab as
// \n, \r and \t, every other byte below 0x20 as \u00XX; the rest as it is.
template <typename Out> void appendJsonString(Out& out, const char* text, std::size_t size) {
    static const char hex[] = "0123456789abcdef";
    out.append('"');
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text + start, i - start);
        start = i + 1;
        out.append('\\');
        switch (c) {
        case '"':
        case '\\':
            out.append(char(c));
            break;
        case '\n':
            out.append('n');
            break;
        case '\r':
            out.append('r');
            break;
        case '\t':
            out.append('t');
            break;
        default: {
            const char escape[] = {'u', '0', '0', hex[c >> 4], hex[c & 15]};
            out.append(escape, sizeof escape);
        }
        }
    }
    out.append(text + start, size - start);
    out.append('"');
}

} // namespace TableText
