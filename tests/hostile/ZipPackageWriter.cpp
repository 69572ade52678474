#include "tests/hostile/ZipPackageWriter.h"

#include <QtEndian>
#include <zlib.h>

namespace {

// A text deflated on its own: raw deflate blocks ending on a byte boundary,
// with no final block, so that such pieces can follow each other.
QByteArray deflatedPiece(const QByteArray& text) {
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(text.size()))) + 64, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.constData()));
    stream.avail_in = uInt(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FULL_FLUSH); // also forgets the history: the next piece stands alone
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// An empty final block with fixed codes ends the deflate stream.
const QByteArray FinalBlock("\x03\x00", 2);

quint32 crcOf(const QByteArray& text, quint32 crc = 0) {
    return quint32(crc32(crc, reinterpret_cast<const Bytef*>(text.constData()), uInt(text.size())));
}

// The CRC of `count` copies of a text whose CRC and length are given.
quint32 repeatedCrc(quint32 unitCrc, qint64 unitLength, qint64 count) {
    quint32 crc = 0;
    quint32 power = unitCrc;
    qint64 powerLength = unitLength;
    for (; count > 0; count >>= 1) {
        if (count & 1)
            crc = quint32(crc32_combine(crc, power, z_off_t(powerLength)));
        power = quint32(crc32_combine(power, power, z_off_t(powerLength)));
        powerLength *= 2;
    }
    return crc;
}

void put16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

void ZipPackageWriter::add(const QByteArray& name, const QByteArray& content) {
    add(name, RepeatedText{content, QByteArray(), 0, QByteArray()});
}

void ZipPackageWriter::add(const QByteArray& name, const RepeatedText& content) {
    Q_ASSERT(content.size() < (qint64(1) << 32));
    QByteArray data = deflatedPiece(content.head);
    quint32 crc = crcOf(content.head);
    if (content.count > 0 && !content.unit.isEmpty()) {
        // About a megabyte of units per piece, the same piece over and over.
        const qint64 perPiece =
            qBound(qint64(1), (qint64(1) << 20) / content.unit.size(), content.count);
        const QByteArray piece = deflatedPiece(content.unit.repeated(qsizetype(perPiece)));
        const qint64 pieces = content.count / perPiece;
        const qint64 rest = content.count % perPiece;
        data.reserve(data.size() + qsizetype(piece.size() * pieces) + 1024);
        for (qint64 i = 0; i < pieces; ++i)
            data += piece;
        data += deflatedPiece(content.unit.repeated(qsizetype(rest)));
        const quint32 unitCrc = crcOf(content.unit);
        crc = quint32(crc32_combine(crc, repeatedCrc(unitCrc, content.unit.size(), content.count),
                                    z_off_t(content.unit.size() * content.count)));
    }
    data += deflatedPiece(content.tail);
    crc = quint32(crc32_combine(crc, crcOf(content.tail), z_off_t(content.tail.size())));
    data += FinalBlock;
    m_members.append({name, data, 8, crc, quint32(content.size())});
}

void ZipPackageWriter::addStored(const QByteArray& name, const QByteArray& content) {
    m_members.append({name, content, 0, crcOf(content), quint32(content.size())});
}

QByteArray ZipPackageWriter::bytes() const {
    QByteArray out;
    QByteArray directory;
    for (const Member& member : m_members) {
        const quint32 offset = quint32(out.size());
        put32(out, 0x04034b50); // local file header
        put16(out, 20);         // version needed: deflate
        put16(out, 0);          // flags
        put16(out, member.method);
        put16(out, 0);    // time
        put16(out, 0x21); // date: 1.1.1980
        put32(out, member.crc);
        put32(out, quint32(member.data.size()));
        put32(out, member.size);
        put16(out, quint16(member.name.size()));
        put16(out, 0); // extra field
        out += member.name;
        out += member.data;

        put32(directory, 0x02014b50); // central directory header
        put16(directory, 20);         // made by
        put16(directory, 20);         // needed
        put16(directory, 0);
        put16(directory, member.method);
        put16(directory, 0);
        put16(directory, 0x21);
        put32(directory, member.crc);
        put32(directory, quint32(member.data.size()));
        put32(directory, member.size);
        put16(directory, quint16(member.name.size()));
        put16(directory, 0); // extra field
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, offset);
        directory += member.name;
    }
    const quint32 directoryOffset = quint32(out.size());
    out += directory;
    put32(out, 0x06054b50); // end of central directory
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(m_members.size()));
    put16(out, quint16(m_members.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0); // comment
    return out;
}
