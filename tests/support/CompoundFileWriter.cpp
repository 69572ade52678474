#include "tests/support/CompoundFileWriter.h"

#include "tests/support/LittleEndian.h"

namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 FatSector = 0xFFFFFFFD;
constexpr quint32 DifatSector = 0xFFFFFFFC;
constexpr quint32 NoEntry = 0xFFFFFFFF;

// The sectors of a compound file being laid out, with their allocation table.
class SectorLayout {
public:
    explicit SectorLayout(int sectorSize) : m_size(sectorSize) {}
    quint32 place(const QByteArray& data) {
        if (data.isEmpty())
            return EndOfChain;
        const quint32 first = quint32(m_fat.size());
        const qsizetype count = (data.size() + m_size - 1) / m_size;
        for (qsizetype i = 0; i < count; ++i)
            m_fat.append(i + 1 < count ? first + quint32(i) + 1 : EndOfChain);
        m_data.append(data);
        m_data.append(QByteArray(count * m_size - data.size(), '\0'));
        return first;
    }
    quint32 reserve(quint32 marker) {
        m_fat.append(marker);
        m_data.append(QByteArray(m_size, '\0'));
        return quint32(m_fat.size() - 1);
    }
    QList<quint32>& fat() { return m_fat; }
    QByteArray& data() { return m_data; }

private:
    int m_size;
    QList<quint32> m_fat;
    QByteArray m_data;
};

QByteArray directoryEntry(const QString& name, quint8 type, quint32 right, quint32 child,
                          quint32 start, quint64 size) {
    QByteArray entry(128, '\0');
    for (qsizetype i = 0; i < name.size() && i < 31; ++i)
        qToLittleEndian(quint16(name.at(i).unicode()), entry.data() + 2 * i);
    qToLittleEndian(quint16(2 * (qMin<qsizetype>(name.size(), 31) + 1)), entry.data() + 64);
    entry[66] = char(type);
    entry[67] = 1; // black
    qToLittleEndian(NoEntry, entry.data() + 68);
    qToLittleEndian(right, entry.data() + 72);
    qToLittleEndian(child, entry.data() + 76);
    qToLittleEndian(start, entry.data() + 116);
    qToLittleEndian(size, entry.data() + 120);
    return entry;
}

} // namespace

QByteArray writeCompoundFile(const QList<CompoundStream>& streams, int majorVersion) {
    const int sectorSize = majorVersion == 4 ? 4096 : 512;
    const int perSector = sectorSize / 4;
    SectorLayout sectors(sectorSize);
    QByteArray mini;
    QList<quint32> miniFat;
    QList<quint32> starts;
    for (const CompoundStream& stream : streams) {
        if (stream.data.size() >= 4096) {
            starts.append(sectors.place(stream.data));
            continue;
        }
        if (stream.data.isEmpty()) {
            starts.append(EndOfChain);
            continue;
        }
        const quint32 first = quint32(miniFat.size());
        const qsizetype count = (stream.data.size() + 63) / 64;
        for (qsizetype i = 0; i < count; ++i)
            miniFat.append(i + 1 < count ? first + quint32(i) + 1 : EndOfChain);
        mini.append(stream.data);
        mini.append(QByteArray(count * 64 - stream.data.size(), '\0'));
        starts.append(first);
    }
    const quint32 miniStart = sectors.place(mini);
    QByteArray miniFatBytes;
    for (const quint32 link : miniFat)
        put32(miniFatBytes, link);
    while (miniFatBytes.size() % sectorSize != 0)
        put32(miniFatBytes, FreeSector);
    const quint32 miniFatStart = sectors.place(miniFatBytes);

    // The root's children as a chain of right siblings.
    QByteArray directory = directoryEntry(QStringLiteral("Root Entry"), 5, NoEntry,
                                          streams.isEmpty() ? NoEntry : 1, miniStart, mini.size());
    for (qsizetype i = 0; i < streams.size(); ++i) {
        const quint32 right = i + 1 < streams.size() ? quint32(i + 2) : NoEntry;
        directory += directoryEntry(streams.at(i).name, 2, right, NoEntry, starts.at(i),
                                    quint64(streams.at(i).data.size()));
    }
    while (directory.size() % sectorSize != 0)
        directory += directoryEntry(QString(), 0, NoEntry, NoEntry, 0, 0);
    const quint32 directoryStart = sectors.place(directory);

    // The table must cover its own sectors and those of the DIFAT.
    const qsizetype used = sectors.fat().size();
    qsizetype fatCount = 1;
    qsizetype difatCount = 0;
    for (;;) {
        difatCount = fatCount > 109 ? (fatCount - 109 + perSector - 2) / (perSector - 1) : 0;
        const qsizetype needed = (used + fatCount + difatCount + perSector - 1) / perSector;
        if (needed <= fatCount)
            break;
        fatCount = needed;
    }
    QList<quint32> fatSectors;
    for (qsizetype i = 0; i < fatCount; ++i)
        fatSectors.append(sectors.reserve(FatSector));
    QList<quint32> difatSectors;
    for (qsizetype i = 0; i < difatCount; ++i)
        difatSectors.append(sectors.reserve(DifatSector));
    QList<quint32> fat = sectors.fat();
    while (fat.size() < fatCount * perSector)
        fat.append(FreeSector);
    QByteArray& data = sectors.data();
    for (qsizetype i = 0; i < fat.size(); ++i)
        set32(data, fatSectors.at(i / perSector) * qsizetype(sectorSize) + (i % perSector) * 4,
              fat.at(i));
    for (qsizetype d = 0; d < difatCount; ++d) {
        const qsizetype base = difatSectors.at(d) * qsizetype(sectorSize);
        for (int i = 0; i < perSector - 1; ++i) {
            const qsizetype index = 109 + d * (perSector - 1) + i;
            set32(data, base + 4 * i, index < fatCount ? fatSectors.at(index) : FreeSector);
        }
        set32(data, base + 4 * (perSector - 1),
              d + 1 < difatCount ? difatSectors.at(d + 1) : EndOfChain);
    }

    QByteArray header;
    header.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(QByteArray(16, '\0'));
    put16(header, 0x003E);
    put16(header, quint16(majorVersion));
    put16(header, 0xFFFE);
    put16(header, majorVersion == 4 ? 12 : 9);
    put16(header, 6);
    header.append(QByteArray(6, '\0'));
    put32(header, majorVersion == 4 ? quint32(directory.size() / sectorSize) : 0);
    put32(header, quint32(fatCount));
    put32(header, directoryStart);
    put32(header, 0);
    put32(header, 4096);
    put32(header, miniFatStart);
    put32(header, quint32(miniFatBytes.size() / sectorSize));
    put32(header, difatCount > 0 ? difatSectors.first() : EndOfChain);
    put32(header, quint32(difatCount));
    for (int i = 0; i < 109; ++i)
        put32(header, i < fatCount ? fatSectors.at(i) : FreeSector);
    header.append(QByteArray(sectorSize - header.size(), '\0'));
    return header + data;
}
