#include "resources/resources.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

struct PictureCase {
    const char *name;
    int width, height;
};

class Pictures : public ::testing::TestWithParam<PictureCase> { };

TEST_P(Pictures, AreBuiltInAtTheirStatedSizeAndTwiceThat)
{
    const PictureCase c = GetParam();
    const QImage image(QStringLiteral(":/art/%1.png").arg(QLatin1String(c.name)));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(c.width, c.height));
    const QImage sharp(QStringLiteral(":/art/%1@2x.png").arg(QLatin1String(c.name)));
    EXPECT_EQ(sharp.size(), QSize(2 * c.width, 2 * c.height));
}

INSTANTIATE_TEST_SUITE_P(Artwork, Pictures,
    ::testing::Values(PictureCase { "main_window_picture", 858, 442 }, PictureCase { "half_court", 1057, 638 },
        PictureCase { "whole_court", 1059, 615 }, PictureCase { "ally1", 126, 192 }, PictureCase { "enemy3", 126, 194 },
        PictureCase { "terms_background", 600, 700 }, PictureCase { "about_picture", 792, 365 },
        PictureCase { "load_background", 379, 201 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Icons, TheProgramsIconFileHoldsThirteenImages)
{
    QImageReader reader(QStringLiteral(":/art/load_icon.ico"));
    ASSERT_TRUE(reader.canRead());
    EXPECT_EQ(reader.imageCount(), 13);
    EXPECT_FALSE(resources::icon("load_icon").isNull());
    EXPECT_FALSE(resources::icon("clipboard").pixmap(48, 48).isNull());
}

TEST(Fonts, TheFacesTheWindowsNameAreThere)
{
    resources::registerFonts();
    for (const char *face : { "Tahoma", "Palatino Linotype", "MS Sans Serif" }) {
        const QFontInfo info { QFont(QString::fromLatin1(face)) };
        EXPECT_TRUE(info.family() == QLatin1String(face) || QLatin1String(face) == QLatin1String("Palatino Linotype"))
            << face << " resolved to " << info.family().toStdString();
    }
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Palatino Linotype"))).family(), QStringLiteral("TeX Gyre Pagella"));
}

} // namespace
