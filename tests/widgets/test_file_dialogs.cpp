// The file dialogs speak the program's language, whatever the desktop's is.
#include "widgets/FileDialogs.h"

#include <QAbstractProxyModel>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

class TestFileDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void datesAndSizesInRussian();
};

void TestFileDialogs::datesAndSizesInRussian() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("билеты.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(3000, 'x')) == 3000);
    const QDateTime stamp(QDate(2024, 3, 5), QTime(14, 7));
    QVERIFY(file.flush() && file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();
    const std::unique_ptr<QFileDialog> dialog(QtFileDialogs::dialog(
        nullptr, QStringLiteral("Билеты"), dir.path(), QStringLiteral("*.csv"), false));
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QAbstractProxyModel* files = dialog->proxyModel();
    QModelIndex row;
    QTRY_VERIFY((row = files
                           ->match(files->index(0, 0, files->mapFromSource({})), Qt::DisplayRole,
                                   QStringLiteral("билеты.csv"), 1, Qt::MatchRecursive)
                           .value(0))
                    .isValid());
    const QLocale russian;
    QCOMPARE(row.siblingAtColumn(3).data().toString(),
             russian.toString(stamp, QLocale::ShortFormat)); // 05.03.2024 14:07
    QCOMPARE(row.siblingAtColumn(1).data().toString(), russian.formattedDataSize(3000));
}

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
