#include "workbook/xls/CompoundFile.h"

#include "runtime/AppError.h"

#include <QtEndian>

namespace {

const QByteArray Signature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr qsizetype HeaderSize = 512;
constexpr int HeaderDifatEntries = 109;
constexpr qsizetype DirectoryEntrySize = 128;
constexpr qsizetype MiniSectorSize = 64;
constexpr quint32 MiniStreamCutoff = 4096;

// Sector numbers above this one are markers, not sectors.
constexpr quint32 LastRegularSector = 0xFFFFFFFA;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 NoEntry = 0xFFFFFFFF;

enum EntryType : quint8 { Unused = 0, Storage = 1, Stream = 2, Root = 5 };

quint16 u16(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

quint32 u32(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

quint64 u64(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint64>(bytes.data() + at);
}

AppError damage(const QString& reason) {
    return AppError(reason);
}

AppError sectorOutside(quint32 sector) {
    return damage(QStringLiteral("ссылка на сектор %1 за концом файла").arg(sector));
}

// The name of a directory entry: UTF-16LE, its length in bytes counting the
// terminating zero.
QString entryName(QByteArrayView entry) {
    const int length = qMin<int>(u16(entry, 64), 64) / 2;
    QString name;
    for (int i = 0; i < length; ++i) {
        const char16_t c = u16(entry, 2 * i);
        if (c == 0)
            break;
        name.append(QChar(c));
    }
    return name;
}

} // namespace

bool CompoundFile::hasSignature(QByteArrayView bytes) {
    return bytes.startsWith(Signature);
}

CompoundFile::CompoundFile(QByteArrayView bytes) : m_bytes(bytes) {
    readHeader();
    readAllocationTable();
    readDirectory();
}

void CompoundFile::readHeader() {
    if (m_bytes.size() < HeaderSize)
        throw damage(QStringLiteral("файл короче заголовка составного файла"));
    if (!hasSignature(m_bytes))
        throw damage(QStringLiteral("нет подписи составного файла"));
    m_majorVersion = u16(m_bytes, 26);
    const int sectorShift = u16(m_bytes, 30);
    if ((m_majorVersion != 3 && m_majorVersion != 4) || (sectorShift != 9 && sectorShift != 12))
        throw damage(QStringLiteral("неизвестная версия составного файла (%1, сектор 2^%2)")
                         .arg(m_majorVersion)
                         .arg(sectorShift));
    if (u16(m_bytes, 32) != 6 || u32(m_bytes, 56) != MiniStreamCutoff)
        throw damage(QStringLiteral("неверное описание мини-потока в заголовке"));
    m_sectorSize = qsizetype(1) << sectorShift;
    // The header takes the room of sector -1; sector n begins at (n + 1) * size.
    if (m_bytes.size() < m_sectorSize)
        throw damage(QStringLiteral("файл короче заголовка составного файла"));
    const qsizetype data = m_bytes.size() - m_sectorSize;
    m_sectorCount = quint32(
        qMin<qsizetype>((data + m_sectorSize - 1) / m_sectorSize, qsizetype(LastRegularSector)));
    m_fatSectors = u32(m_bytes, 44);
    m_firstDirectorySector = u32(m_bytes, 48);
    m_firstMiniFatSector = u32(m_bytes, 60);
    m_firstDifatSector = u32(m_bytes, 68);
    m_difatSectors = u32(m_bytes, 72);
    if (m_fatSectors > m_sectorCount || m_difatSectors > m_sectorCount)
        throw damage(QStringLiteral("таблица размещения секторов больше самого файла"));
}

QByteArrayView CompoundFile::sector(quint32 index) const {
    const qsizetype begin = (qsizetype(index) + 1) * m_sectorSize;
    return m_bytes.sliced(begin, qMin(m_sectorSize, m_bytes.size() - begin));
}

void CompoundFile::readAllocationTable() {
    // Where the sectors of the table are: the first 109 are named in the
    // header, the rest in a chain of DIFAT sectors (each naming as many as it
    // holds, its last entry linking to the next one).
    std::vector<quint32> fatSectors;
    fatSectors.reserve(m_fatSectors);
    for (int i = 0; i < HeaderDifatEntries && fatSectors.size() < m_fatSectors; ++i)
        fatSectors.push_back(u32(m_bytes, 76 + 4 * i));
    const qsizetype perDifatSector = m_sectorSize / 4 - 1;
    std::vector<bool> visited(m_sectorCount, false);
    quint32 next = m_firstDifatSector;
    for (quint32 n = 0; n < m_difatSectors && fatSectors.size() < m_fatSectors; ++n) {
        if (next >= m_sectorCount)
            throw sectorOutside(next);
        if (visited[next])
            throw damage(QStringLiteral("цепочка секторов DIFAT замкнута в кольцо"));
        visited[next] = true;
        const QByteArrayView difat = sector(next);
        if (difat.size() < m_sectorSize)
            throw damage(QStringLiteral("файл обрезан"));
        for (qsizetype i = 0; i < perDifatSector && fatSectors.size() < m_fatSectors; ++i)
            fatSectors.push_back(u32(difat, 4 * i));
        next = u32(difat, 4 * perDifatSector);
    }
    if (fatSectors.size() < m_fatSectors)
        throw damage(QStringLiteral("цепочка секторов DIFAT короче таблицы размещения"));

    const qsizetype perSector = m_sectorSize / 4;
    m_fat.assign(size_t(m_fatSectors) * size_t(perSector), FreeSector);
    size_t at = 0;
    for (const quint32 index : fatSectors) {
        if (index >= m_sectorCount)
            throw sectorOutside(index);
        // The last sector may be cut short by the file's end: its missing
        // entries stay free.
        const QByteArrayView part = sector(index);
        for (qsizetype i = 0; 4 * i + 4 <= part.size(); ++i)
            m_fat[at + size_t(i)] = u32(part, 4 * i);
        at += size_t(perSector);
    }
}

QByteArray CompoundFile::readChain(const Chains& chains, quint32 start,
                                   std::optional<quint64> size) {
    const quint64 room = quint64(chains.unitCount) * quint64(chains.unitSize);
    if (size && *size > room)
        throw damage(QStringLiteral("поток больше самого файла"));
    QByteArray out;
    if (size)
        out.reserve(qsizetype(*size));
    std::vector<bool> visited(chains.unitCount, false);
    quint32 unit = start;
    while (!size || quint64(out.size()) < *size) {
        if (unit == EndOfChain && !size)
            break;
        if (unit == EndOfChain)
            throw damage(QStringLiteral("цепочка секторов обрывается раньше конца потока"));
        if (unit >= chains.unitCount || unit >= chains.links->size())
            throw sectorOutside(unit);
        if (visited[unit])
            throw damage(QStringLiteral("цепочка секторов замкнута в кольцо"));
        visited[unit] = true;
        const qsizetype begin = qsizetype(unit) * chains.unitSize;
        const qsizetype available = qMin(chains.unitSize, chains.units.size() - begin);
        const qsizetype wanted =
            size ? qsizetype(qMin<quint64>(*size - quint64(out.size()), quint64(chains.unitSize)))
                 : chains.unitSize;
        if (available < wanted)
            throw damage(QStringLiteral("файл обрезан"));
        out.append(chains.units.sliced(begin, wanted));
        unit = (*chains.links)[unit];
    }
    return out;
}

QByteArray CompoundFile::readSectorChain(quint32 start, std::optional<quint64> size) const {
    const Chains chains{&m_fat, m_sectorCount, m_sectorSize, m_bytes.sliced(m_sectorSize)};
    return readChain(chains, start, size);
}

void CompoundFile::readDirectory() {
    const QByteArray directory = readSectorChain(m_firstDirectorySector, std::nullopt);
    const qsizetype count = directory.size() / DirectoryEntrySize;
    m_entries.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView raw =
            QByteArrayView(directory).sliced(i * DirectoryEntrySize, DirectoryEntrySize);
        Entry entry;
        entry.type = quint8(raw[66]);
        if (entry.type == Stream || entry.type == Root || entry.type == Storage) {
            entry.name = entryName(raw);
            entry.left = u32(raw, 68);
            entry.right = u32(raw, 72);
            entry.child = u32(raw, 76);
            entry.start = u32(raw, 116);
            // Version 3 files keep only 32 bits of the size; the rest may be garbage.
            entry.size = m_majorVersion == 3 ? u32(raw, 120) : u64(raw, 120);
        } else {
            entry.type = Unused;
        }
        m_entries.append(entry);
    }
    if (m_entries.isEmpty() || m_entries.first().type != Root)
        throw damage(QStringLiteral("в каталоге нет корневой записи"));
}

std::optional<quint32> CompoundFile::findRootChild(QStringView name) const {
    // The children of a storage form a tree through their left and right
    // links; walked with a stack of our own, each entry at most once, so that
    // a damaged tree can neither loop nor recurse deeply.
    std::vector<bool> visited(size_t(m_entries.size()), false);
    std::vector<quint32> pending{m_entries.first().child};
    std::optional<quint32> found;
    while (!pending.empty()) {
        const quint32 index = pending.back();
        pending.pop_back();
        if (index == NoEntry)
            continue;
        if (index >= quint32(m_entries.size()) || m_entries.at(index).type == Unused)
            throw damage(
                QStringLiteral("каталог ссылается на несуществующую запись %1").arg(index));
        if (visited[index])
            throw damage(QStringLiteral("каталог замкнут в кольцо"));
        visited[index] = true;
        const Entry& entry = m_entries.at(index);
        if (!found && entry.type == Stream && entry.name.compare(name, Qt::CaseInsensitive) == 0)
            found = index;
        pending.push_back(entry.left);
        pending.push_back(entry.right);
    }
    return found;
}

std::optional<QByteArray> CompoundFile::rootStream(QStringView name) const {
    const std::optional<quint32> index = findRootChild(name);
    if (!index)
        return std::nullopt;
    const Entry& entry = m_entries.at(*index);
    if (entry.size > quint64(m_bytes.size()))
        throw damage(QStringLiteral("поток «%1» (%2 байт) больше самого файла")
                         .arg(entry.name)
                         .arg(entry.size));
    if (entry.size >= MiniStreamCutoff)
        return readSectorChain(entry.start, entry.size);

    // Small streams live in the mini stream (kept in the root entry's sectors)
    // in sectors of 64 bytes, linked by the mini FAT.
    const Entry& root = m_entries.first();
    if (root.size > quint64(m_bytes.size()))
        throw damage(QStringLiteral("мини-поток больше самого файла"));
    const QByteArray miniStream = readSectorChain(root.start, root.size);
    const QByteArray miniFatBytes = readSectorChain(m_firstMiniFatSector, std::nullopt);
    std::vector<quint32> miniFat(size_t(miniFatBytes.size() / 4));
    for (size_t i = 0; i < miniFat.size(); ++i)
        miniFat[i] = u32(miniFatBytes, qsizetype(4 * i));
    const Chains chains{&miniFat,
                        quint32((miniStream.size() + MiniSectorSize - 1) / MiniSectorSize),
                        MiniSectorSize, miniStream};
    return readChain(chains, entry.start, entry.size);
}
