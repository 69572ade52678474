#pragma once

#include <QByteArray>
#include <QString>
#include <limits>
#include <memory>

class AppError;

struct zip;
struct zip_file;

// Read access to the members of a ZIP file (the package of an .xlsx workbook).
// What the members inflate to is counted against one budget for the whole
// archive, so that a small file cannot unpack into gigabytes. Failures are
// thrown as AppError.
class ZipArchive {
public:
    explicit ZipArchive(const QString& path);
    // An archive held in memory; the bytes must outlive it. `label` names it in messages.
    ZipArchive(const QByteArray& bytes, const QString& label);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // The size of the archive file itself.
    qint64 archiveSize() const { return m_archiveSize; }
    // The most bytes all members together may inflate to (unlimited at first).
    void setInflateLimit(qint64 bytes) { m_inflateLimit = bytes; }

    // A member opened for reading in pieces.
    class Member {
    public:
        ~Member();
        Member(const Member&) = delete;
        Member& operator=(const Member&) = delete;
        // Fills up to `capacity` bytes and returns how many; 0 at the end.
        qsizetype read(char* buffer, qsizetype capacity);

    private:
        friend class ZipArchive;
        Member(ZipArchive& archive, zip_file* file, const QString& name, qint64 maxBytes);
        ZipArchive& m_archive;
        zip_file* m_file;
        QString m_name;
        qint64 m_maxBytes;
        qint64 m_read = 0;
    };

    // Member names are compared without regard to letter case, as package part names are.
    bool contains(const QString& name) const;
    // Throws when the member is missing or cannot be opened; reading it
    // throws when it inflates to more than maxBytes.
    std::unique_ptr<Member> open(const QString& name,
                                 qint64 maxBytes = std::numeric_limits<qint64>::max());

private:
    // "The workbook is damaged: reason (member)".
    AppError damaged(const QString& reason, const QString& name) const;
    // Counts bytes a member inflated to against the budget.
    void charge(qsizetype bytes, const QString& name);

    QString m_label;
    zip* m_archive = nullptr;
    qint64 m_archiveSize = 0;
    qint64 m_inflateLimit = std::numeric_limits<qint64>::max();
    qint64 m_inflated = 0;
};
