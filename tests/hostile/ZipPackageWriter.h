#pragma once

#include <QByteArray>
#include <QList>

// A member text made of a head, a unit repeated `count` times and a tail. It is
// deflated as independent blocks, so that a member of a gigabyte takes about a
// megabyte in the file and a few milliseconds to write: the way to make the
// expansion attacks that a reader must survive, without storing them.
struct RepeatedText {
    QByteArray head;
    QByteArray unit;
    qint64 count = 0;
    QByteArray tail;

    qint64 size() const { return head.size() + unit.size() * count + tail.size(); }
};

// Writes a ZIP file by hand (stored headers, deflated members). Members must
// inflate to less than 4 GiB.
class ZipPackageWriter {
public:
    void add(const QByteArray& name, const QByteArray& content);
    void add(const QByteArray& name, const RepeatedText& content);
    // A member stored uncompressed (for padding a file to a given size).
    void addStored(const QByteArray& name, const QByteArray& content);
    QByteArray bytes() const;

private:
    struct Member {
        QByteArray name;
        QByteArray data; // as written in the file
        quint16 method;  // 0 stored, 8 deflated
        quint32 crc;
        quint32 size; // inflated
    };
    QList<Member> m_members;
};
