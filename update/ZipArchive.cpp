#include "update/ZipArchive.h"

#include "runtime/AppError.h"

#include <QFile>
#include <zip.h>

namespace {

// Larger members are taken for a damaged or hostile file rather than a workbook.
constexpr zip_uint64_t MaxMemberSize = zip_uint64_t(1) << 30;

} // namespace

ZipArchive::ZipArchive(const QString& path) : m_path(path) {
    int error = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!m_archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const QString reason = QString::fromUtf8(zip_error_strerror(&details));
        zip_error_fini(&details);
        throw AppError(QStringLiteral("Не удалось открыть книгу «%1»: %2").arg(path, reason));
    }
}

ZipArchive::~ZipArchive() {
    zip_discard(m_archive);
}

bool ZipArchive::contains(const QString& name) const {
    return zip_name_locate(m_archive, name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

QByteArray ZipArchive::read(const QString& name) const {
    const auto fail = [&](const QString& reason) {
        return AppError(QStringLiteral("Книга «%1» повреждена: %2 (%3)").arg(m_path, reason, name));
    };
    const zip_int64_t index = zip_name_locate(m_archive, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        throw fail(QStringLiteral("нет части книги"));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive, zip_uint64_t(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || stat.size > MaxMemberSize)
        throw fail(QStringLiteral("неизвестный размер части книги"));

    zip_file_t* file = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!file)
        throw fail(QString::fromUtf8(zip_strerror(m_archive)));
    QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
    zip_int64_t total = 0;
    while (total < zip_int64_t(stat.size)) {
        const zip_int64_t got =
            zip_fread(file, data.data() + total, zip_uint64_t(zip_int64_t(stat.size) - total));
        if (got <= 0)
            break;
        total += got;
    }
    const QString reason = QString::fromUtf8(zip_file_strerror(file));
    zip_fclose(file);
    if (total != zip_int64_t(stat.size))
        throw fail(reason);
    return data;
}
