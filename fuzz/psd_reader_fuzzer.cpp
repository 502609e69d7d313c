// Arbitrary bytes as a Photoshop document: read it, extract every image, and run both
// importers on documents small enough to import quickly.

#include <cstdint>
#include <span>

#include "textures/psd_document.h"
#include "textures/psd_import.h"
#include "textures/texture_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zephane;
    const auto document = read_psd(std::span(data, size));
    if (!document) return 0;
    for (const PsdLayer& layer : document->layers)
        for (const auto kind : {PsdImageKind::colour, PsdImageKind::transparency, PsdImageKind::mask,
                                PsdImageKind::colour_transparency})
            (void)extract_image(layer, kind);
    const std::uint64_t area = std::uint64_t{document->width} * document->height;
    if (area <= 512 * 512) (void)import_terrain(*document, nullptr, kRawQuality);
    if (area <= 256 * 256) {
        StackSet set;
        (void)import_psd_layers(set, 0, -1, *document);
    }
    return 0;
}
