#include "widgets/resources.h"
#include "widgetstesting.h"

#include "model/diagnostics.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
