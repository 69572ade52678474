#pragma once

#include <QByteArray>
#include <QtEndian>

// Little-endian numbers for the binary files the tests write.
inline void put16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

inline void put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline void set32(QByteArray& out, qsizetype at, quint32 value) {
    qToLittleEndian(value, out.data() + at);
}

inline quint32 get32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
