#pragma once

#include <QByteArray>
#include <QString>

struct zip;

// Read access to the members of a ZIP file (the package of an .xlsx workbook).
// Failures are thrown as AppError.
class ZipArchive {
public:
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Member names are compared without regard to letter case, as package part names are.
    bool contains(const QString& name) const;
    // The uncompressed bytes of a member; throws when it is missing or unreadable.
    QByteArray read(const QString& name) const;

private:
    QString m_path;
    zip* m_archive = nullptr;
};
