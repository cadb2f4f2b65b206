#pragma once
// The video layer's check at start-up: GStreamer initialises and has its core elements.

#include <QString>
#include <optional>

// The GStreamer version, "major.minor", when it initialises and has its core elements; nothing
// otherwise.
std::optional<QString> UsableVideoLayerVersion();
