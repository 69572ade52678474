#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

// A forward-only reader of the tags and texts of a UTF-8 XML document, made for
// the large parts of a workbook (worksheets, shared strings) where a general
// XML reader is too slow. It skips comments, processing instructions and the
// document type, reads CDATA sections as text, decodes the predefined and
// numeric character references, and ignores namespace prefixes. It checks no
// well-formedness beyond what it needs to find the next tag.
//
// The document is read in chunks from a source, so that only the current tag
// and a chunk of look-ahead are held; every step is linear in the input. A tag
// longer than MaxTagBytes or an element text longer than MaxTextBytes is
// thrown as AppError: no part of a genuine workbook comes near either.
class XmlScanner {
public:
    // Fills the buffer with up to `capacity` bytes of the document and returns
    // how many it wrote; 0 at the end of the document.
    using Source = std::function<qsizetype(char* buffer, qsizetype capacity)>;

    static constexpr qsizetype MaxTagBytes = qsizetype(1) << 20;
    static constexpr qsizetype MaxTextBytes = qsizetype(1) << 20;

    // A document held whole in memory.
    explicit XmlScanner(const QByteArray& document);
    explicit XmlScanner(Source source);

    // Moves to the next start or end tag; false at the end of the document.
    bool next();
    bool isStart() const { return m_kind != Kind::End; }
    bool isEnd() const { return m_kind == Kind::End; }
    // A start tag that closes itself (<c r="A1"/>).
    bool isEmptyElement() const { return m_kind == Kind::Empty; }
    // The tag's name without its namespace prefix. Valid until the scanner moves.
    QByteArrayView name() const { return m_name; }
    // The raw value of an attribute of the current start tag, looked up by its
    // name without prefix; a null view when absent. Values with character
    // references are returned undecoded. Valid until the scanner moves.
    QByteArrayView attribute(QByteArrayView name) const;
    // Steps through the attributes of the current start tag: from `at` (0 for
    // the first), the next one's name without prefix and its raw value; false
    // after the last. Valid until the scanner moves.
    bool nextAttribute(qsizetype& at, QByteArrayView& name, QByteArrayView& value) const;

    // The text of the current start element up to its end tag, the text of child
    // elements included, decoded to UTF-8; moves behind the end tag. Valid until
    // the scanner moves again.
    QByteArrayView readElementText();
    // Moves behind the end tag of the current start element.
    void skipElement();

    // A raw text (an attribute value) with its character references decoded.
    static QByteArray decoded(QByteArrayView raw);

private:
    enum class Kind { Start, Empty, End };

    const char* data() const { return m_buffer.constData(); }
    qsizetype size() const { return m_buffer.size(); }
    // Appends the next chunk of the document; false at its end.
    bool fill();
    // Makes `count` bytes from m_pos available, as far as the document goes.
    bool ensure(qsizetype count);
    // Drops what lies before m_pos, once enough has piled up.
    void compact();
    // Index of the next `what` from `from`, reading on as needed and keeping
    // what lies between (throws when more than `limit` bytes from m_pos would
    // be kept); -1 at the end of the document.
    qsizetype findKeeping(QByteArrayView what, qsizetype from, qsizetype limit);
    // Moves m_pos behind the next `what`, dropping what it passes; to the end
    // of the document when there is none.
    void skipPast(QByteArrayView what, qsizetype from);
    // Skips markup that is not a tag at m_pos ('<' already seen); false when m_pos
    // is at a tag.
    bool skipNonTag();
    void readTag();
    void appendText(qsizetype from, qsizetype to);
    void appendDecoded(qsizetype from, qsizetype to);

    QByteArray m_buffer;
    Source m_source;
    bool m_sourceDone = false;
    qsizetype m_pos = 0;
    Kind m_kind = Kind::End;
    QByteArrayView m_name;
    QByteArrayView m_attributes;
    QByteArray m_text;
};
