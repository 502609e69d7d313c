#include "textures/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <memory>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace zephane {

namespace {

// Above this many decoded bytes a stream is refused rather than allocated.
constexpr std::size_t kMaxDecodedBytes = std::size_t{1} << 30;
// The library's own working memory (progressive coefficient buffers) is bounded too.
constexpr long kMaxLibraryMemory = 512L << 20;
constexpr std::size_t kFirstOutputChunk = 16 * 1024;

// Everything a libjpeg call touches lives here, on the heap, set up before setjmp so that a
// long jump back skips no C++ destructor.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void on_error_exit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings and trace messages are kept, never printed.
void on_output_message(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
}

void install_error_manager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = on_error_exit;
    err.pub.output_message = on_output_message;
    err.message[0] = 0;
}

// ---- Destination: a growing byte vector ------------------------------------------------

struct Destination {
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
};

bool grow(Destination& dest) {
    try {
        const std::size_t used = dest.out->size();
        dest.out->resize(std::max(kFirstOutputChunk, used * 2));
        dest.pub.next_output_byte = dest.out->data() + used;
        dest.pub.free_in_buffer = dest.out->size() - used;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void dest_init(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
    dest->out->clear();
    if (!grow(*dest)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

boolean dest_empty(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
    // The library calls this only with the whole buffer full; grow keeps every byte.
    if (!grow(*dest)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    return TRUE;
}

void dest_term(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

// ---- Source: a span of bytes -----------------------------------------------------------

void source_init(j_decompress_ptr) {}

boolean source_fill(j_decompress_ptr cinfo) {
    // All bytes were handed over at once: needing more means the stream is cut short.
    ERREXIT(cinfo, JERR_INPUT_EOF);
    return FALSE;
}

void source_skip(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* src = cinfo->src;
    if (count <= 0) return;
    if (static_cast<std::size_t>(count) > src->bytes_in_buffer) ERREXIT(cinfo, JERR_INPUT_EOF);
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void source_term(j_decompress_ptr) {}

void set_problem(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
}

struct CompressState {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    Destination dest;
    std::vector<std::uint8_t> out;
    std::vector<JSAMPROW> rows;
};

struct DecompressState {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_source_mgr src;
    PixelImage image;
    std::vector<JSAMPROW> rows;
    std::string refusal; // set before a deliberate stop
};

// The steps between setjmp and the end of the library's work; no C++ object is created here.
bool run_compress(CompressState& s, const std::uint8_t* pixels, int width, int height,
                  int channels, int quality) {
    if (setjmp(s.err.jump)) {
        jpeg_destroy_compress(&s.cinfo);
        return false;
    }
    jpeg_create_compress(&s.cinfo);
    s.cinfo.dest = &s.dest.pub;
    s.cinfo.image_width = static_cast<JDIMENSION>(width);
    s.cinfo.image_height = static_cast<JDIMENSION>(height);
    s.cinfo.input_components = channels;
    s.cinfo.in_color_space = channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&s.cinfo);
    s.cinfo.dct_method = JDCT_FLOAT;
    s.cinfo.optimize_coding = TRUE;
    jpeg_set_quality(&s.cinfo, quality, FALSE);
    jpeg_start_compress(&s.cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    for (int y = 0; y < height; ++y)
        s.rows[static_cast<std::size_t>(y)] = const_cast<JSAMPROW>(pixels + stride * static_cast<std::size_t>(y));
    while (s.cinfo.next_scanline < s.cinfo.image_height)
        jpeg_write_scanlines(&s.cinfo, s.rows.data() + s.cinfo.next_scanline,
                             s.cinfo.image_height - s.cinfo.next_scanline);
    jpeg_finish_compress(&s.cinfo);
    jpeg_destroy_compress(&s.cinfo);
    return true;
}

// Reads the header and checks it; false (with refusal set) stops before any allocation.
bool check_header(DecompressState& s, const JpegDecodeOptions& options) {
    const auto& c = s.cinfo;
    if (c.num_components != options.channels) {
        s.refusal = "the JPEG stream has " + std::to_string(c.num_components) +
                    " components where " + std::to_string(options.channels) + " were expected";
        return false;
    }
    if ((options.expected_width >= 0 && c.image_width != static_cast<JDIMENSION>(options.expected_width)) ||
        (options.expected_height >= 0 && c.image_height != static_cast<JDIMENSION>(options.expected_height))) {
        s.refusal = "the JPEG stream is " + std::to_string(c.image_width) + " x " +
                    std::to_string(c.image_height) + " where " + std::to_string(options.expected_width) +
                    " x " + std::to_string(options.expected_height) + " was expected";
        return false;
    }
    return true;
}

bool allocate_output(DecompressState& s) {
    const std::size_t bytes = std::size_t{s.cinfo.output_width} * s.cinfo.output_height *
                              static_cast<std::size_t>(s.cinfo.output_components);
    if (bytes > kMaxDecodedBytes) {
        s.refusal = "the JPEG stream is too large to decode";
        return false;
    }
    try {
        s.image.width = static_cast<int>(s.cinfo.output_width);
        s.image.height = static_cast<int>(s.cinfo.output_height);
        s.image.channels = s.cinfo.output_components;
        s.image.pixels.assign(bytes, 0);
        s.rows.resize(s.cinfo.output_height);
    } catch (const std::bad_alloc&) {
        s.refusal = "out of memory for the decoded pixels";
        return false;
    }
    const std::size_t stride = std::size_t{s.cinfo.output_width} * static_cast<std::size_t>(s.cinfo.output_components);
    for (std::size_t y = 0; y < s.rows.size(); ++y) s.rows[y] = s.image.pixels.data() + stride * y;
    return true;
}

bool run_decompress(DecompressState& s, std::span<const std::uint8_t> stream,
                    const JpegDecodeOptions& options) {
    if (setjmp(s.err.jump)) {
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    s.src.init_source = source_init;
    s.src.fill_input_buffer = source_fill;
    s.src.skip_input_data = source_skip;
    s.src.resync_to_restart = jpeg_resync_to_restart;
    s.src.term_source = source_term;
    s.src.next_input_byte = stream.data();
    s.src.bytes_in_buffer = stream.size();
    s.cinfo.src = &s.src;
    jpeg_read_header(&s.cinfo, TRUE);
    if (!check_header(s, options)) {
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    s.cinfo.out_color_space = options.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    s.cinfo.scale_num = 1;
    s.cinfo.scale_denom = 1;
    if (options.target_width > 0 && static_cast<JDIMENSION>(options.target_width) < s.cinfo.image_width)
        s.cinfo.scale_denom = s.cinfo.image_width / static_cast<JDIMENSION>(options.target_width);
    s.cinfo.dct_method = JDCT_IFAST;
    s.cinfo.do_fancy_upsampling = options.fancy_upsampling ? TRUE : FALSE;
    jpeg_start_decompress(&s.cinfo);
    if (!allocate_output(s)) {
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    while (s.cinfo.output_scanline < s.cinfo.output_height)
        jpeg_read_scanlines(&s.cinfo, s.rows.data() + s.cinfo.output_scanline,
                            s.cinfo.output_height - s.cinfo.output_scanline);
    jpeg_finish_decompress(&s.cinfo);
    jpeg_destroy_decompress(&s.cinfo);
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> jpeg_compress(std::span<const std::uint8_t> pixels,
                                                       int width, int height, int channels,
                                                       int quality, std::string* problem) {
    if (channels != 1 && channels != 3) {
        set_problem(problem, "JPEG compression takes 1 or 3 channels, not " + std::to_string(channels));
        return std::nullopt;
    }
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                             static_cast<std::size_t>(channels)) {
        set_problem(problem, "the pixels do not match a " + std::to_string(width) + " x " +
                                 std::to_string(height) + " image");
        return std::nullopt;
    }
    auto state = std::make_unique<CompressState>();
    install_error_manager(state->err);
    state->cinfo.err = &state->err.pub;
    state->dest.pub.init_destination = dest_init;
    state->dest.pub.empty_output_buffer = dest_empty;
    state->dest.pub.term_destination = dest_term;
    state->dest.out = &state->out;
    state->out.reserve(kFirstOutputChunk);
    state->rows.resize(static_cast<std::size_t>(height));
    if (!run_compress(*state, pixels.data(), width, height, channels, quality)) {
        set_problem(problem, std::string("JPEG compression failed: ") + state->err.message);
        return std::nullopt;
    }
    return std::move(state->out);
}

std::optional<PixelImage> jpeg_decompress(std::span<const std::uint8_t> stream,
                                          const JpegDecodeOptions& options, std::string* problem) {
    if (stream.empty()) {
        set_problem(problem, "the JPEG stream is empty");
        return std::nullopt;
    }
    auto state = std::make_unique<DecompressState>();
    install_error_manager(state->err);
    state->cinfo.err = &state->err.pub;
    state->refusal.reserve(128);
    if (!run_decompress(*state, stream, options)) {
        set_problem(problem, state->refusal.empty()
                                 ? std::string("the JPEG stream is damaged: ") + state->err.message
                                 : state->refusal);
        return std::nullopt;
    }
    return std::move(state->image);
}

} // namespace zephane
