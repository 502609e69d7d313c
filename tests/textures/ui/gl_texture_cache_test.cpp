// The texture upload cache on a real GL context: internal formats by channels, mipmaps, the
// pixels drawn, and which requests an upload answers.

#include "framework/xg_gl_view.h"
#include "tags/tag_database.h"
#include "textures/texture_stack.h"
#include "textures/ui/gl_texture_cache.h"
#include "texture_fixtures.h"

#include <GL/gl.h>
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace zephane {
namespace {

// A view that draws the requested texture over the whole frame.
class QuadView : public XGGLView {
public:
    explicit QuadView(TagDatabase& db) : cache(db) { resize(32, 32); }
    ~QuadView() override { release_gl(); }
    GlTextureCache cache;
    tag_id tag = 0;
    TextureRequest request;
    long bound = -2;

protected:
    void draw_view() override {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        bound = cache.bind(tag, request);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-1, -1);
        glTexCoord2f(1, 0); glVertex2f(1, -1);
        glTexCoord2f(1, 1); glVertex2f(1, 1);
        glTexCoord2f(0, 1); glVertex2f(-1, 1);
        glEnd();
        glDisable(GL_TEXTURE_2D);
    }
    void release_view() override { cache.release(); }
};

std::unique_ptr<stacked_texture> solid(int channels, std::vector<std::uint8_t> value, std::uint8_t kind = 0,
                                       std::uint8_t layer = 0) {
    std::vector<std::uint8_t> pixels;
    for (int k = 0; k < 16 * 16; ++k) pixels.insert(pixels.end(), value.begin(), value.end());
    auto t = test::raw_texture(16, 16, channels, pixels);
    t->layer_kind = kind;
    t->layer = layer;
    return t;
}

class GlTextureCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = db.create_tag_file();
        StackSet set;
        insert_texture(set, 0, -1, solid(1, {200}));
        insert_texture(set, 0, -1, solid(2, {100, 255}));
        insert_texture(set, 0, -1, solid(3, {200, 100, 40}, kLayerDetailMask, 1));
        insert_texture(set, 0, -1, solid(4, {40, 200, 100, 255}, kLayerDetailMask, 2));
        auto jpeg = test::gradient_texture(16, 16, 3);
        insert_texture(set, 1, -1, std::move(jpeg));
        db.add_tag(file, kTextureStackType, fourcc("tex1"), 1, "Textures", 0, 0, *build_stack_payload(set));
    }
    TagDatabase db;
    TagFile* file = nullptr;
};

QColor drawn(QuadView& view, TextureRequest request) {
    view.tag = fourcc("tex1");
    view.request = request;
    const QImage frame = view.read_back();
    return frame.pixelColor(frame.width() / 2, frame.height() / 2);
}

void expect_near(QColor colour, int r, int g, int b) {
    // 4- and 5-bit internal formats round the stored values.
    EXPECT_NEAR(colour.red(), r, 18);
    EXPECT_NEAR(colour.green(), g, 18);
    EXPECT_NEAR(colour.blue(), b, 18);
}

TEST_F(GlTextureCacheTest, UploadsEveryChannelCountWithMipmaps) {
    QuadView view(db);
    view.show();
    expect_near(drawn(view, {0, 0, -1, -1}), 200, 200, 200);
    expect_near(drawn(view, {0, 1, -1, -1}), 100, 100, 100);
    expect_near(drawn(view, {0, 2, -1, -1}), 200, 100, 40);
    expect_near(drawn(view, {0, 3, -1, -1}), 40, 200, 100);
    EXPECT_EQ(view.cache.uploaded_count(), 4u);

    view.makeCurrent();
    const int expected[] = {GL_LUMINANCE4, GL_LUMINANCE4_ALPHA4, GL_RGB5, GL_RGBA4};
    for (long index = 0; index < 4; ++index) {
        const long name = view.cache.bind(fourcc("tex1"), {0, index, -1, -1});
        ASSERT_GT(name, 0);
        GLint internal = 0, level1 = 0, bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(bound, name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
        EXPECT_EQ(internal, expected[index]) << index;
        EXPECT_EQ(level1, 8) << "mipmaps";
        GLint min_filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
        EXPECT_EQ(min_filter, GL_LINEAR_MIPMAP_LINEAR);
    }
    EXPECT_EQ(view.cache.uploaded_count(), 4u) << "every request above was a hit";
    view.doneCurrent();
}

TEST_F(GlTextureCacheTest, MatchesByKindAndLayerAndForgetsChangedTags) {
    QuadView view(db);
    view.show();
    // Kind 1 with any layer: the first detail mask of the stack (texture 2).
    expect_near(drawn(view, {0, -1, kLayerDetailMask, -1}), 200, 100, 40);
    expect_near(drawn(view, {0, -1, kLayerDetailMask, 2}), 40, 200, 100);
    EXPECT_EQ(view.cache.uploaded_count(), 2u);
    // Texture 2 is already up: asked for by its index, it is not uploaded again... but an
    // index request matches only by index, and the first upload remembered index 2.
    drawn(view, {0, 2, -1, -1});
    EXPECT_EQ(view.cache.uploaded_count(), 2u);
    // JPEG data is decoded for its upload.
    const QColor jpeg = drawn(view, {1, 0, -1, -1});
    EXPECT_GT(jpeg.red(), 0);
    EXPECT_EQ(view.cache.uploaded_count(), 3u);
    // Missing stack, texture or tag: -1 and nothing uploaded.
    drawn(view, {2, 0, -1, -1});
    EXPECT_EQ(view.bound, -1);
    drawn(view, {0, -1, kLayerGlowMask, -1});
    EXPECT_EQ(view.bound, -1);
    view.makeCurrent();
    EXPECT_EQ(view.cache.bind(fourcc("none"), {0, 0, -1, -1}), -1);
    view.cache.forget(fourcc("tex1"));
    EXPECT_EQ(view.cache.uploaded_count(), 0u);
    view.doneCurrent();
}

TEST_F(GlTextureCacheTest, TheViewProbesItsEntryPointsAndDrawsOnlyWhenAsked) {
    QuadView view(db);
    view.show();
    drawn(view, {0, 0, -1, -1});
    const GlEntryPoints& gl = view.entry_points();
    // Mesa lists the multitexture extension; each fetched entry point exists.
    EXPECT_TRUE(gl.multitexture);
    EXPECT_NE(gl.active_texture, nullptr);
    EXPECT_NE(gl.client_active_texture, nullptr);
    EXPECT_NE(gl.multi_tex_coord_2f, nullptr);
    EXPECT_NE(gl.lock_arrays, nullptr);
    QCoreApplication::processEvents(); // the paint the show asked for
    const int frames = view.frames_drawn();
    QCoreApplication::processEvents();
    EXPECT_EQ(view.frames_drawn(), frames);
}

} // namespace
} // namespace zephane
