#pragma once
// The mesh lighting editor's binding table, and the group titles its form shares.

#include "definitions/field_binding.h"

namespace zephane::meli_bindings {

inline constexpr const char* kIncident = "Incident Light";
inline constexpr const char* kIntensities = "Intensities";
inline constexpr const char* kShadows = "Shadows";
inline constexpr const char* kSmoothing = "Smoothing";

inline constexpr FieldBinding kBindings[] = {
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

} // namespace zephane::meli_bindings
