// Tags of types without an editor open the read-only details: facts, the payload's bytes,
// and for 'jpeg' tags the picture.

#include "app/tag_details_form.h"
#include "app/zephane_app.h"
#include "textures/jpeg_codec.h"
#include "ui_support.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace zephane {
namespace {

constexpr tag_type kJpeg = fourcc("jpeg");

class TagDetails : public uitest::AppFixture {
protected:
    void SetUp() override { register_tag_details(); }
    TTagDetailsForm& open(TagEntry& tag) {
        app->openTag(tag, false);
        auto* details = dynamic_cast<TTagDetailsForm*>(TagEditorWindow::of(tag));
        if (!details) throw std::runtime_error("no details opened");
        return *details;
    }
};

TEST_F(TagDetails, AJpegShowsItsPictureFactsAndBytes) {
    // 16 x 8 pixels: the left half red, the right half blue.
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            for (std::uint8_t c : x < 8 ? std::array<std::uint8_t, 3>{230, 20, 20}
                                        : std::array<std::uint8_t, 3>{20, 20, 230})
                pixels.push_back(c);
    const std::optional<std::vector<std::uint8_t>> jpeg = jpeg_compress(pixels, 16, 8, 3, 95);
    ASSERT_TRUE(jpeg);
    write("local/photo.tag", test::single_tag_file({kJpeg, fourcc("phot"), "Photo.jpg", *jpeg, 0}));
    write("plugins/photo.tag", test::single_tag_file({kJpeg, fourcc("phot"), "Photo.jpg", *jpeg, 0}));
    make_app().start();

    TagEntry* winner = app->db().find_tag(kJpeg, fourcc("phot"));
    ASSERT_NE(winner, nullptr);
    TTagDetailsForm& details = open(*winner);
    EXPECT_EQ(details.fact(kFactType).text(), "jpeg (JPEG File Data)");
    EXPECT_EQ(details.fact(kFactId).text(), "phot");
    EXPECT_EQ(details.fact(kFactFile).text(), "plugins/photo.tag");
    EXPECT_EQ(details.fact(kFactSize).text(),
              QStringLiteral("%1 bytes, 16 x 8 pixels").arg(jpeg->size()));
    EXPECT_EQ(details.fact(kFactCopies).text(), "This copy wins over 1 other loaded copy.");
    EXPECT_TRUE(details.hex().toPlainText().startsWith("00000000  ff d8 ff"));
    EXPECT_EQ(details.pages().tabText(0), "Picture");

    const QImage picture = details.picture().pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(16, 8));
    const QColor left = picture.pixelColor(2, 4), right = picture.pixelColor(13, 4);
    EXPECT_GT(left.red(), 180);
    EXPECT_LT(left.blue(), 80);
    EXPECT_GT(right.blue(), 180);
    EXPECT_LT(right.red(), 80);

    // The hidden copy says which file wins.
    TagEntry* hidden = app->db().find_all_tags(kJpeg, fourcc("phot")).back();
    EXPECT_EQ(open(*hidden).fact(kFactCopies).text(), "The copy in plugins/photo.tag wins; this one is hidden.");
}

TEST_F(TagDetails, RawDataAndADamagedJpegShowTheirBytes) {
    write("local/raw.tag", test::single_tag_file({fourcc("rawd"), fourcc("blob"), "blob.bin", {'A', 0, 'z'}, 0}));
    write("local/bad.tag", test::single_tag_file({kJpeg, fourcc("badj"), "bad.jpg", {0xFF, 0xD8, 1, 2}, 0}));
    make_app().start();

    TTagDetailsForm& raw = open(*app->db().find_tag(fourcc("rawd"), fourcc("blob")));
    EXPECT_EQ(raw.pages().count(), 1);
    EXPECT_EQ(raw.pages().tabText(0), "Bytes");
    EXPECT_TRUE(raw.hex().toPlainText().startsWith("00000000  41 00 7a "));
    EXPECT_EQ(raw.fact(kFactCopies).text(), "This is the only loaded copy.");

    TTagDetailsForm& bad = open(*app->db().find_tag(kJpeg, fourcc("badj")));
    EXPECT_TRUE(bad.picture().pixmap().isNull());
    EXPECT_TRUE(bad.picture().text().startsWith("The picture cannot be decoded"));
}

} // namespace
} // namespace zephane
