#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A stream of a compound file, by its name in the root storage.
struct CompoundStream {
    QString name;
    QByteArray data;
};

// Writes a compound file (OLE2) holding the streams in its root storage:
// version 3 (512-byte sectors) or 4 (4096-byte sectors). Streams shorter than
// 4096 bytes go into the mini stream, as the format asks; the allocation table
// takes as many sectors, and DIFAT sectors, as the file needs. The first
// stream's sectors come first.
QByteArray writeCompoundFile(const QList<CompoundStream>& streams, int majorVersion = 3);
