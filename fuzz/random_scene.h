// A random scene file, decoded from a fuzzer's input: shapes of every kind the window tells
// apart (lines with and without handles and link flags, surface parts with lines of
// different lengths and a nested part, meshes, the five joints with points, cameras,
// lights, spheres, disks, link parts, parts without points, other shapes), matrices and
// skins that translate, rotate and scale (never singular), a figure unit of 1, 10, 0.1 or
// 2.54, and coordinates mostly from a small set of exact values, some any finite float.
// Names are unique in the file, so that a window title names one shape.
#pragma once

#include <string>

#include "byte_source.h"

// The scene file's text (JSON); max_shapes top-level shapes at most. skinned_parts: skins
// may also drag whole surface and simple parts (the bytes decode as before without it).
std::string random_scene(byte_source& in, int max_shapes, bool skinned_parts = false);
