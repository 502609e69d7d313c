// The mesh lighting editor: the incident light, intensities and shadow smoothing.

#include "definitions/ui/meli_form.h"

#include "app/definition_edit_form.h"
#include "definitions/meli.h"

namespace zephane {

namespace {

using M = mesh_lighting_definition;

constexpr const char* kIncident = "Incident Light";
constexpr const char* kIntensities = "Intensities";
constexpr const char* kShadows = "Shadows";
constexpr const char* kSmoothing = "Smoothing";
constexpr EditorGroup kGroups[] = {{kIncident, 0}, {kShadows, 0}, {kIntensities, 1}, {kSmoothing, 1}};

constexpr FieldBinding kBindings[] = {
    bind::number("incident_light", 11201, "X:", kIncident, 0),
    bind::number("incident_light", 11202, "Y:", kIncident, 1),
    bind::number("incident_light", 11203, "Z:", kIncident, 2),
    bind::number("ambient_light_intensity", 11204, "Ambient Light:", kIntensities),
    bind::number("maximum_diffuse_light_intensity", 11205, "Maximum Diffuse Light:", kIntensities),
    bind::number("model_shading_diffuse_light_intensity", 11206, "Model Shading Diffuse Light:",
                 kIntensities),
    bind::number("maximum_total_light_intensity", 11207, "Maximum Total Light:", kIntensities),
    bind::number("maximum_shadow_distance", 11208, "Maximum Shadow Distance:", kShadows),
    bind::number("gaussian_width", 11209, "Gaussian Width:", kSmoothing, 0, 8),
    bind::number("filter_width", 11210, "Filter Width:", kSmoothing),
};

using TmeliEditForm = TableEditForm<M>;

} // namespace

void register_mesh_lighting_editor() {
    attach_table_editor<TmeliEditForm>(1012, "Mesh Lighting Dialog", kBindings, kGroups);
}

} // namespace zephane
