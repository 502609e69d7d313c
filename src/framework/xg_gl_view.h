#pragma once
// The one OpenGL view base of the 3-D views: a QOpenGLWidget on a compatibility context
// (fixed-function drawing, vertex arrays), the extension probe made once the context
// exists, redraws only when asked, and the frame read back for tests and benchmarks.

#include <QOpenGLWidget>
#include <QImage>

namespace zephane {

// Entry points the views may use; each is null when the driver does not offer it and is
// tested before use.
struct GlEntryPoints {
    bool multitexture = false; // "GL_ARB_multitexture" is listed
    void (*active_texture)(unsigned) = nullptr;
    void (*client_active_texture)(unsigned) = nullptr;
    void (*multi_tex_coord_2f)(unsigned, float, float) = nullptr;
    void (*draw_range_elements)(unsigned, unsigned, unsigned, int, unsigned, const void*) = nullptr;
    void (*lock_arrays)(int, int) = nullptr;
    void (*unlock_arrays)() = nullptr;
};

class XGGLView : public QOpenGLWidget {
    Q_OBJECT

public:
    explicit XGGLView(QWidget* parent = nullptr);
    ~XGGLView() override;

    // The format every 3-D view asks for: a compatibility profile with depth buffer.
    static QSurfaceFormat view_format();

    const GlEntryPoints& entry_points() const { return entry_points_; }
    // Draws a frame now (outside the event loop) and returns it.
    QImage read_back();
    // Draws a frame into the view's framebuffer and waits until GL has finished it, without
    // reading it back or showing it (benchmarks time drawing alone).
    void draw_and_finish();
    // Frames drawn so far (tests check that nothing redraws without a change).
    int frames_drawn() const { return frames_drawn_; }

signals:
    void frame_drawn();

protected:
    // Subclasses set up their state and draw; the base has made the context current.
    virtual void initialize_view() {}
    virtual void draw_view() = 0;
    // Called with the context current before it goes away. Subclasses also call release_gl()
    // from their destructor, while their GL objects can still be reached.
    virtual void release_view() {}
    void release_gl();

    void initializeGL() final;
    void paintGL() final;

private:
    void probe_entry_points();

    GlEntryPoints entry_points_;
    int frames_drawn_ = 0;
    bool released_ = false;
};

} // namespace zephane
