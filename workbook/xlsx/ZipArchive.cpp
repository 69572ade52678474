#include "workbook/xlsx/ZipArchive.h"

#include "runtime/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <zip.h>

namespace {

// A member whose size is not known or that claims more is taken for a damaged
// or hostile file rather than a workbook.
constexpr zip_uint64_t MaxMemberSize = zip_uint64_t(1) << 30;

// What the compression library's error means for a workbook, in the
// program's words, with the library's own text in brackets.
QString explained(const zip_error_t* error) {
    QString meaning;
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOZIP:
        meaning = QStringLiteral("это не архив ZIP, а книга .xlsx — архив");
        break;
    case ZIP_ER_CRC:
        meaning = QStringLiteral("контрольная сумма части не сходится, файл испорчен");
        break;
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
        meaning = QStringLiteral("часть сжата или зашифрована неизвестным способом");
        break;
    case ZIP_ER_READ:
    case ZIP_ER_OPEN:
    case ZIP_ER_NOENT:
        meaning = QStringLiteral("файл не читается");
        break;
    case ZIP_ER_MEMORY:
        meaning = QStringLiteral("не хватило памяти");
        break;
    default: // an inconsistent directory, cut short, bad compressed data
        meaning = QStringLiteral("архив повреждён или обрезан");
        break;
    }
    return meaning + QStringLiteral(" (") +
           QString::fromUtf8(zip_error_strerror(const_cast<zip_error_t*>(error))) +
           QLatin1Char(')');
}

AppError cannotOpen(const QString& label, int code) {
    zip_error_t details;
    zip_error_init_with_code(&details, code);
    const QString reason = explained(&details);
    zip_error_fini(&details);
    return AppError(QStringLiteral("Не удалось открыть книгу «%1»: %2").arg(label, reason));
}

QString megabytes(qint64 bytes) {
    return QString::number((bytes + (1 << 20) - 1) >> 20);
}

} // namespace

ZipArchive::ZipArchive(const QString& path) : m_label(path), m_archiveSize(QFileInfo(path).size()) {
    int error = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!m_archive)
        throw cannotOpen(path, error);
}

ZipArchive::ZipArchive(const QByteArray& bytes, const QString& label)
    : m_label(label), m_archiveSize(bytes.size()) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source)
        m_archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (!m_archive) {
        zip_source_free(source);
        throw cannotOpen(label, code);
    }
}

ZipArchive::~ZipArchive() {
    zip_discard(m_archive);
}

AppError ZipArchive::damaged(const QString& reason, const QString& name) const {
    return AppError(QStringLiteral("Книга «%1» повреждена: %2 (%3)").arg(m_label, reason, name));
}

void ZipArchive::charge(qsizetype bytes, const QString& name) {
    m_inflated += bytes;
    if (m_inflated > m_inflateLimit)
        throw damaged(QStringLiteral("её части распаковываются больше чем в %1 МБ, "
                                     "что для файла в %2 КБ невозможно")
                          .arg(megabytes(m_inflateLimit))
                          .arg((m_archiveSize + 1023) / 1024),
                      name);
}

bool ZipArchive::contains(const QString& name) const {
    return zip_name_locate(m_archive, name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

std::unique_ptr<ZipArchive::Member> ZipArchive::open(const QString& name, qint64 maxBytes) {
    const zip_int64_t index = zip_name_locate(m_archive, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        throw damaged(QStringLiteral("нет части книги"), name);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive, zip_uint64_t(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || stat.size > MaxMemberSize)
        throw damaged(QStringLiteral("неизвестный размер части книги"), name);
    zip_file_t* file = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!file)
        throw damaged(explained(zip_get_error(m_archive)), name);
    return std::unique_ptr<Member>(new Member(*this, file, name, maxBytes));
}

ZipArchive::Member::Member(ZipArchive& archive, zip_file* file, const QString& name,
                           qint64 maxBytes)
    : m_archive(archive), m_file(file), m_name(name), m_maxBytes(maxBytes) {}

ZipArchive::Member::~Member() {
    zip_fclose(m_file);
}

qsizetype ZipArchive::Member::read(char* buffer, qsizetype capacity) {
    // Never more than one byte beyond the budget is inflated.
    const qint64 left = m_archive.m_inflateLimit - m_archive.m_inflated;
    const qsizetype asked =
        left < qint64(capacity) ? qsizetype(qMax<qint64>(left, 0) + 1) : capacity;
    const zip_int64_t got = zip_fread(m_file, buffer, zip_uint64_t(asked));
    if (got < 0)
        throw m_archive.damaged(explained(zip_file_get_error(m_file)), m_name);
    m_archive.charge(qsizetype(got), m_name);
    m_read += got;
    if (m_read > m_maxBytes)
        throw m_archive.damaged(
            QStringLiteral("часть книги больше %1 МБ").arg(megabytes(m_maxBytes)), m_name);
    return qsizetype(got);
}
