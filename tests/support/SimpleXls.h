#pragma once

#include "tests/support/CompoundFileWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Writes small legacy workbooks for tests: the records of a BIFF8 (or BIFF5)
// workbook stream with the globals a reader needs (code page, date system,
// number formats, cell styles, shared strings, sheet list) and one worksheet
// whose cells are added by the calls below. Rows and columns count from 0, as
// the file stores them.
class SimpleXls {
public:
    enum class Version { Biff8, Biff5 };
    explicit SimpleXls(Version version = Version::Biff8);

    // --- globals
    void setDate1904(bool on) { m_date1904 = on; }
    void setCodePage(quint16 codePage) { m_codePage = codePage; }
    // A custom number format; returns its id (164 on).
    quint16 addFormat(const QString& code);
    // A cell style (XF record) showing numbers in that format; returns its index.
    quint16 addStyle(quint16 formatId);
    // An entry of the shared string table (BIFF8), optionally with rich text
    // runs and phonetic data that a reader must skip; returns its index.
    quint32 addSharedString(const QString& text, int richRuns = 0, int phoneticBytes = 0);
    // The shared string table header's counts, when not the true ones.
    void setSharedStringCounts(quint32 total, quint32 unique);
    // Records longer than this are split into CONTINUE records (the shared
    // string table and a formula's STRING); Excel's limit is 8224.
    void setMaxRecordData(int bytes) { m_maxRecordData = bytes; }
    // A chart sheet listed before the worksheet, and a second worksheet after it.
    void setLeadingChartSheet(bool on) { m_leadingChart = on; }
    void setTrailingWorksheet(bool on) { m_trailingSheet = on; }
    // Makes the workbook encrypted (a FILEPASS record in the globals).
    void setEncrypted(bool on) { m_encrypted = on; }

    // --- the worksheet
    void setDimensions(quint32 firstRow, quint32 rowsEnd, quint16 firstColumn, quint16 columnsEnd);
    void number(quint16 row, quint16 column, double value, quint16 style = 0);
    void rk(quint16 row, quint16 column, quint32 rk, quint16 style = 0);
    void mulRk(quint16 row, quint16 firstColumn, const QList<quint32>& rks, quint16 style = 0);
    void labelSst(quint16 row, quint16 column, quint32 index, quint16 style = 0);
    void label(quint16 row, quint16 column, const QString& text, quint16 style = 0);
    void boolErr(quint16 row, quint16 column, quint8 value, bool isError);
    void formulaNumber(quint16 row, quint16 column, double value, quint16 style = 0);
    // A formula whose text result follows in a STRING record.
    void formulaText(quint16 row, quint16 column, const QString& text);
    // A formula with a boolean (1), error (2) or empty text (3) result.
    void formulaSpecial(quint16 row, quint16 column, quint8 type, quint8 value);
    void blank(quint16 row, quint16 column, quint16 style = 0);
    void mulBlank(quint16 row, quint16 firstColumn, int count, quint16 style = 0);
    // A chart embedded in the sheet: its records (and any cells added in
    // between) form a substream of their own.
    void beginEmbeddedChart();
    void endEmbeddedChart();
    void sheetRecord(quint16 id, const QByteArray& data);

    // RK encodings: a 30-bit integer, or a value whose double has only its
    // high 30 bits set; optionally the value times 100.
    static quint32 rkInteger(qint32 value, bool times100 = false);
    static quint32 rkDouble(double value, bool times100 = false);

    // The workbook stream, and a compound file holding it as "Workbook"
    // (BIFF8) or "Book" (BIFF5).
    QByteArray stream() const;
    QByteArray file(int majorVersion = 3) const;

private:
    QByteArray globals(const QList<quint32>& sheetOffsets) const;
    QByteArray worksheet(const QByteArray& cells) const;
    QByteArray sharedStringRecords() const;
    QByteArray text(const QString& value, int countBytes) const;
    QByteArray cell(quint16 row, quint16 column, quint16 style) const;

    struct SharedString {
        QString text;
        int runs;
        int phonetic;
    };
    Version m_version;
    bool m_date1904 = false;
    quint16 m_codePage;
    QList<QPair<quint16, QString>> m_formats;
    QList<quint16> m_styles;
    QList<SharedString> m_strings;
    bool m_countsGiven = false;
    quint32 m_total = 0;
    quint32 m_unique = 0;
    int m_maxRecordData = 8224;
    bool m_leadingChart = false;
    bool m_trailingSheet = false;
    bool m_encrypted = false;
    QByteArray m_dimensions;
    QByteArray m_cells;
};
