// The neighbourhood drawing saved as SVG, PDF and PNG, read back by Qt's own readers.

#include <QFile>
#include <QImage>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "sheet_window/sheet_index.h"
#include "sheet_window/sheet_index_export.h"

using namespace mapsheet::sheet_window;

namespace {

// The neighbourhood of J50B001002 at 1:500,000, with the line between the two northern
// cells on the east hidden as if they named one sheet.
SheetIndex Example() {
    SheetIndex index;
    index.scale = "1:50万";
    index.newNumbers = {"K50B002001", "K50B002002", "K51B002001", "J50B001001", "J50B001002",
                        "J51B001001", "J50B002001", "J50B002002", "J51B002001"};
    index.oldNumbers = {"K-50-C", "K-50-D", "K-51-C", "J-50-A", "J-50-B",
                        "J-51-A", "J-50-C", "J-50-D", "J-51-C"};
    index.separatorShown.fill(true);
    index.separatorShown[1] = false;  // LineB1
    index.latitudes = {"36°00′00.00″", "38°00′00.00″", "40°00′00.00″", "42°00′00.00″"};
    index.longitudes = {"114°00′00.00″", "117°00′00.00″", "120°00′00.00″", "123°00′00.00″"};
    return index;
}

QSet<QString> SvgTexts(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QSet<QString> texts;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"text") {
            texts.insert(reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed());
        }
    }
    return reader.hasError() ? QSet<QString>{} : texts;
}

bool IsDark(QRgb pixel) {
    return qGray(pixel) < 96;
}

}  // namespace

class SheetIndexExportTest : public QObject {
    Q_OBJECT

  private slots:
    void tableOfAllNumbers() {
        QCOMPARE(SheetIndexTable(Example()),
                 QString("K50B002001 K-50-C\tK50B002002 K-50-D\tK51B002001 K-51-C\n"
                         "J50B001001 J-50-A\tJ50B001002 J-50-B\tJ51B001001 J-51-A\n"
                         "J50B002001 J-50-C\tJ50B002002 J-50-D\tJ51B002001 J-51-C\n"));
        SheetIndex noOldNumbers = Example();
        noOldNumbers.oldNumbers.fill(QString());
        QCOMPARE(SheetIndexTable(noOldNumbers).split('\n').first(),
                 QString("K50B002001\tK50B002002\tK51B002001"));
    }

    // Every number, every coordinate and the scale are text in the SVG, which Qt's SVG
    // renderer reads back.
    void svgHoldsEveryText() {
        QTemporaryDir folder;
        const QString file = folder.filePath("index.SVG");
        QCOMPARE(ExportSheetIndex(Example(), file), QString());
        QVERIFY(QSvgRenderer(file).isValid());
        const QSet<QString> texts = SvgTexts(file);
        const SheetIndex index = Example();
        for (int k = 0; k < 9; ++k) {
            QVERIFY2(texts.contains(index.newNumbers[k]), qPrintable(index.newNumbers[k]));
            QVERIFY2(texts.contains(index.oldNumbers[k]), qPrintable(index.oldNumbers[k]));
        }
        for (int i = 0; i < 4; ++i) {
            QVERIFY(texts.contains(index.latitudes[i]));
            QVERIFY(texts.contains(index.longitudes[i]));
        }
        // The title may come in runs of one script each: 接图表, 比例尺, 1:50, 万.
        for (const char* run : {"接图表", "比例尺", "1:50", "万"}) {
            QVERIFY2(texts.contains(QString::fromUtf8(run)), run);
        }
    }

    // The PNG shows the border and the drawn separators, and not the hidden one.
    void pngShowsTheLinesAsDrawn() {
        QTemporaryDir folder;
        const QString file = folder.filePath("index.png");
        QCOMPARE(ExportSheetIndex(Example(), file), QString());
        QImage image(file);
        QCOMPARE(image.size(), (SheetIndexDrawingSize() * 2).toSize());
        // Grid corners in drawing units: left 120, top 56, cells 180 x 72.
        const auto pixel = [&](double x, double y) { return image.pixel(int(x * 2), int(y * 2)); };
        QVERIFY(IsDark(pixel(120, 56 + 30)));             // west border
        QVERIFY(IsDark(pixel(120 + 540, 56 + 30)));       // east border
        QVERIFY(IsDark(pixel(120 + 30, 56)));             // north border
        QVERIFY(IsDark(pixel(120 + 30, 56 + 216)));       // south border
        QVERIFY(IsDark(pixel(120 + 180, 56 + 10)));       // LineA1, shown
        QVERIFY(!IsDark(pixel(120 + 360, 56 + 10)));      // LineB1, hidden
        QVERIFY(IsDark(pixel(120 + 360, 56 + 72 + 10)));  // LineB2, shown
    }

    void pdfIsOnePage() {
        QTemporaryDir folder;
        const QString file = folder.filePath("index.pdf");
        QCOMPARE(ExportSheetIndex(Example(), file), QString());
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), qsizetype(1));
    }

    void failuresNameTheFileAndLeaveNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown suffix") << "index.jpg"
                                        << "文件名须以 .svg、.pdf 或 .png 结尾";
        QTest::newRow("missing folder") << "no/such/folder/index.svg"
                                        << "无法写入";
    }
    void failuresNameTheFileAndLeaveNothing() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString file = folder.filePath(name);
        const QString error = ExportSheetIndex(Example(), file);
        QVERIFY2(error.contains(message) && error.contains(file), qPrintable(error));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_MAIN(SheetIndexExportTest)
#include "sheet_index_export_test.moc"
