#include "framework/xg_gl_view.h"

#include "base/text.h"

#include <QOpenGLContext>
#include <GL/gl.h>

namespace zephane {

XGGLView::XGGLView(QWidget* parent) : QOpenGLWidget(parent) {
    setFormat(view_format());
}

XGGLView::~XGGLView() = default;

QSurfaceFormat XGGLView::view_format() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    return format;
}

void XGGLView::initializeGL() {
    probe_entry_points();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { release_gl(); },
            Qt::DirectConnection);
    released_ = false;
    initialize_view();
}

void XGGLView::release_gl() {
    if (released_ || !context()) return;
    released_ = true;
    makeCurrent();
    release_view();
    doneCurrent();
}

void XGGLView::paintGL() {
    draw_view();
    ++frames_drawn_;
    emit frame_drawn();
}

QImage XGGLView::read_back() { return grabFramebuffer(); }

void XGGLView::draw_and_finish() {
    makeCurrent();
    paintGL();
    glFinish();
    doneCurrent();
}

void XGGLView::probe_entry_points() {
    QOpenGLContext* gl = context();
    entry_points_ = {};
    const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    entry_points_.multitexture = list && has_extension_token(list, "GL_ARB_multitexture");
    const auto fetch = [gl](const char* name) { return gl->getProcAddress(name); };
    if (entry_points_.multitexture) {
        entry_points_.active_texture =
            reinterpret_cast<void (*)(unsigned)>(fetch("glActiveTextureARB"));
        entry_points_.client_active_texture =
            reinterpret_cast<void (*)(unsigned)>(fetch("glClientActiveTextureARB"));
        entry_points_.multi_tex_coord_2f =
            reinterpret_cast<void (*)(unsigned, float, float)>(fetch("glMultiTexCoord2fARB"));
    }
    entry_points_.draw_range_elements =
        reinterpret_cast<void (*)(unsigned, unsigned, unsigned, int, unsigned, const void*)>(
            fetch("glDrawRangeElementsEXT"));
    entry_points_.lock_arrays = reinterpret_cast<void (*)(int, int)>(fetch("glLockArraysEXT"));
    entry_points_.unlock_arrays = reinterpret_cast<void (*)()>(fetch("glUnlockArraysEXT"));
}

} // namespace zephane
