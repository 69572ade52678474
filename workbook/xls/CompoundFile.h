#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

// A compound file (the OLE2 structured storage that holds legacy Office
// documents) held in memory, for reading its streams.
//
// Every number the file gives (sector numbers, chains, stream sizes, directory
// links) is checked against the file before it is followed: a damaged file is
// refused with an AppError that carries the reason alone (the caller names the
// file), in time and memory linear in the file's size.
class CompoundFile {
public:
    // Whether the bytes begin with the compound file signature.
    static bool hasSignature(QByteArrayView bytes);

    // Reads the header, the sector allocation table and the directory. The
    // bytes must outlive the object.
    explicit CompoundFile(QByteArrayView bytes);

    // The contents of the stream of that name (letter case ignored) directly
    // in the root storage; nullopt when there is none.
    std::optional<QByteArray> rootStream(QStringView name) const;

private:
    struct Entry {
        QString name;
        quint8 type = 0;
        quint32 left = 0;
        quint32 right = 0;
        quint32 child = 0;
        quint32 start = 0;
        quint64 size = 0;
    };
    // One table of sector links (the FAT or the mini FAT) and the units it links.
    struct Chains {
        const std::vector<quint32>* links;
        quint32 unitCount; // units present in the file or the mini stream
        qsizetype unitSize;
        QByteArrayView units; // unit n begins at n * unitSize
    };

    void readHeader();
    void readAllocationTable();
    void readDirectory();
    std::optional<quint32> findRootChild(QStringView name) const;

    // The bytes of the regular sector; shorter than a sector only at the file's end.
    QByteArrayView sector(quint32 index) const;
    QByteArray readSectorChain(quint32 start, std::optional<quint64> size) const;
    static QByteArray readChain(const Chains& chains, quint32 start, std::optional<quint64> size);

    QByteArrayView m_bytes;
    int m_majorVersion = 3;
    qsizetype m_sectorSize = 512;
    quint32 m_sectorCount = 0;
    quint32 m_fatSectors = 0;
    quint32 m_firstDirectorySector = 0;
    quint32 m_firstMiniFatSector = 0;
    quint32 m_firstDifatSector = 0;
    quint32 m_difatSectors = 0;
    std::vector<quint32> m_fat;
    QList<Entry> m_entries;
};
