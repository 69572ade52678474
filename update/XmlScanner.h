#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A forward-only reader of the tags and texts of a UTF-8 XML document, made for
// the large parts of a workbook (worksheets, shared strings) where a general
// XML reader is too slow. It skips comments, processing instructions and the
// document type, reads CDATA sections as text, decodes the predefined and
// numeric character references, and ignores namespace prefixes. It checks no
// well-formedness beyond what it needs to find the next tag.
class XmlScanner {
public:
    // The document must outlive the scanner and every text it returns.
    explicit XmlScanner(const QByteArray& document);

    // Moves to the next start or end tag; false at the end of the document.
    bool next();
    bool isStart() const { return m_kind != Kind::End; }
    bool isEnd() const { return m_kind == Kind::End; }
    // A start tag that closes itself (<c r="A1"/>).
    bool isEmptyElement() const { return m_kind == Kind::Empty; }
    // The tag's name without its namespace prefix.
    QByteArrayView name() const { return m_name; }
    // The raw value of an attribute of the current start tag, looked up by its
    // name without prefix; a null view when absent. Values with character
    // references are returned undecoded.
    QByteArrayView attribute(QByteArrayView name) const;

    // The text of the current start element up to its end tag, the text of child
    // elements included, decoded to UTF-8; moves behind the end tag. A text without
    // references or markup is returned without copying.
    QByteArray readElementText();
    // Moves behind the end tag of the current start element.
    void skipElement();

private:
    enum class Kind { Start, Empty, End };

    // Skips markup that is not a tag at m_pos ('<' already seen); false when m_pos
    // is at a tag.
    bool skipNonTag();
    qsizetype find(const char* what, qsizetype from) const;
    void appendDecoded(QByteArray& out, qsizetype from, qsizetype to) const;

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    Kind m_kind = Kind::End;
    QByteArrayView m_name;
    QByteArrayView m_attributes;
};
