#include "widgets/resources.h"
#include "widgetstesting.h"

#include "model/diagnostics.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

void writeBitmap(const QString& path, QColor colour) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

class ResourceFactoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureWidgetApplication();
        ASSERT_TRUE(folder.isValid());
        setDiagnosticStream(&log);
    }
    void TearDown() override { setDiagnosticStream(nullptr); }

    QTemporaryDir folder;
    std::ostringstream log;
    TResourceFactory factory;
};

} // namespace

TEST_F(ResourceFactoryTest, LoadsABitmapOnceAndAgainAfterTheCacheIsCleared) {
    const QString path = folder.filePath("picture.bmp");
    writeBitmap(path, Qt::red);
    const TCustomBitmap& first = factory.bitmap(path);
    EXPECT_EQ(first.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(first.name(), "ResourceFatory");
    EXPECT_EQ(first.size(), QSize(4, 3));

    // A changed file is not read again while the bitmap is cached.
    writeBitmap(path, Qt::blue);
    const TCustomBitmap& second = factory.bitmap(path);
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.pixelColor(0, 0), QColor(Qt::red));

    factory.clearCache();
    EXPECT_EQ(log.str(), "TResourceFactory::Cache has cleared\n");
    EXPECT_EQ(factory.bitmap(path).pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(ResourceFactoryTest, KeepsOneBitmapPerPath) {
    writeBitmap(folder.filePath("a.bmp"), Qt::red);
    writeBitmap(folder.filePath("b.bmp"), Qt::green);
    EXPECT_EQ(factory.bitmap(folder.filePath("a.bmp")).pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(factory.bitmap(folder.filePath("b.bmp")).pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(factory.bitmap(folder.filePath("a.bmp")).pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(ResourceFactoryTest, AFileThatCannotBeReadThrowsAndIsNotCached) {
    const QString path = folder.filePath("late.bmp");
    EXPECT_THROW(factory.bitmap(path), std::runtime_error);
    QFile junk(folder.filePath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a bitmap");
    junk.close();
    EXPECT_THROW(factory.bitmap(junk.fileName()), std::runtime_error);

    writeBitmap(path, Qt::green);
    EXPECT_EQ(factory.bitmap(path).pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(ResourceFactoryTest, LoadedBitmapsAreThirtyTwoBitRgb) {
    const QString path = folder.filePath("deep.bmp");
    QImage image(2, 2, QImage::Format_RGB888);
    image.fill(Qt::yellow);
    ASSERT_TRUE(image.save(path, "BMP"));
    EXPECT_EQ(factory.bitmap(path).format(), QImage::Format_RGB32);
}

// A picture whose every pixel differs from its neighbours, so that a row or a channel out of
// place shows.
QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x + y) * 11 % 256));
    return image;
}

// What the general image reader makes of `path`, as 32-bit RGB.
QImage generalReading(const QString& path) {
    return QImage(path, "BMP").convertToFormat(QImage::Format_RGB32);
}

TEST_F(ResourceFactoryTest, ReadsEveryBitmapPixelForPixelAsTheGeneralReaderDoes) {
    // Widths 1 to 5 pad their rows by every amount from none to three bytes.
    for (int width = 1; width <= 5; ++width) {
        const QString path = folder.filePath(QString("pattern%1.bmp").arg(width));
        const QImage image = pattern(width, 3);
        ASSERT_TRUE(image.convertToFormat(QImage::Format_RGB888).save(path, "BMP"));
        const TCustomBitmap& read = factory.bitmap(path);
        EXPECT_EQ(static_cast<const QImage&>(read), image) << "width " << width;
        EXPECT_EQ(static_cast<const QImage&>(read), generalReading(path)) << "width " << width;
        EXPECT_EQ(read.dotsPerMeterX(), generalReading(path).dotsPerMeterX());
    }

    // An indexed bitmap is no plain RGB file and still loads, through the general reader.
    const QString indexed = folder.filePath("indexed.bmp");
    QImage few(3, 2, QImage::Format_Indexed8);
    few.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    few.fill(1);
    ASSERT_TRUE(few.save(indexed, "BMP"));
    EXPECT_EQ(factory.bitmap(indexed).pixelColor(2, 1), QColor(Qt::blue));
    EXPECT_EQ(factory.bitmap(indexed).format(), QImage::Format_RGB32);
}

TEST_F(ResourceFactoryTest, ReadsABitmapStoredTopRowFirst) {
    const QString bottomUp = folder.filePath("bottomup.bmp");
    const QImage image = pattern(5, 4);
    ASSERT_TRUE(image.save(bottomUp, "BMP"));
    QFile in(bottomUp);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    in.close();
    // The same rows in the other order under a negative height: 5 pixels make 16-byte rows.
    const int offset = qFromLittleEndian<qint32>(bytes.constData() + 10);
    const int stride = 16;
    QByteArray topDown = bytes.left(offset);
    for (int row = 3; row >= 0; --row)
        topDown += bytes.mid(offset + row * stride, stride);
    qToLittleEndian<qint32>(-4, topDown.data() + 22);
    const QString path = folder.filePath("topdown.bmp");
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(topDown);
    out.close();

    EXPECT_EQ(static_cast<const QImage&>(factory.bitmap(path)), image);
    EXPECT_EQ(static_cast<const QImage&>(factory.bitmap(path)), generalReading(path));
}

TEST_F(ResourceFactoryTest, ABitmapCutShortThrowsAsAnyUnreadableFileDoes) {
    const QString whole = folder.filePath("whole.bmp");
    ASSERT_TRUE(pattern(6, 6).save(whole, "BMP"));
    QFile in(whole);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    for (qsizetype length : {qsizetype(10), qsizetype(60), bytes.size() - 30}) {
        const QString path = folder.filePath(QString("short%1.bmp").arg(length));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes.left(length));
        out.close();
        // The general reader reads what it can of a cut file and leaves the rest undefined;
        // a file it cannot read either throws.
        const QImage general(path, "BMP");
        if (general.isNull())
            EXPECT_THROW(factory.bitmap(path), std::runtime_error) << length;
        else
            EXPECT_EQ(factory.bitmap(path).size(), general.size()) << length;
    }
}

TEST_F(ResourceFactoryTest, TheGlyphSheetIsTheBitmapOfTheApplicationFolder) {
    const QString path = applicationFolder() + "glyphs.bmp";
    ASSERT_FALSE(QFile::exists(path)) << "the test folder must not hold a glyph sheet";
    EXPECT_THROW(factory.glyphSheet(), std::runtime_error);
    writeBitmap(path, Qt::magenta);
    const TCustomBitmap& sheet = factory.glyphSheet();
    QFile::remove(path);
    EXPECT_EQ(&sheet, &factory.bitmap(path));
    EXPECT_EQ(sheet.pixelColor(0, 0), QColor(Qt::magenta));
}

TEST(ApplicationFolder, IsTheExecutablesFolderAndIgnoresLaterDirectoryChanges) {
    ensureWidgetApplication();
    const QString& folder = applicationFolder();
    EXPECT_EQ(QDir(folder).absolutePath(),
              QDir(QCoreApplication::applicationDirPath()).absolutePath());
    EXPECT_TRUE(folder.endsWith(QDir::separator()));

    const QString before = QDir::currentPath();
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString& after = applicationFolder();
    QDir::setCurrent(before);
    EXPECT_EQ(&after, &folder);
    EXPECT_EQ(after, QDir(QCoreApplication::applicationDirPath()).absolutePath() + "/");
}
