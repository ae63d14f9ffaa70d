#pragma once
// The mesh as binary input for the solvers: little-endian 32-bit words in
// three layouts that differ only in the header.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/ProjectFile.h"
#include "core/model/Model.h"

enum class ExportLayout { M2d, Ulx, N2d };

// Chosen by the name's last three characters, with exact case: "ulx"/"ULX"
// and "n2d"/"N2D"; anything else (a shorter name compared whole) is m2d.
ExportLayout LayoutForName(std::string_view fileName);

// True when the name ends in the extension (given with its dot), in any
// case of its ASCII letters: "A.MSH" has ".msh".
bool HasExtension(std::string_view fileName, std::string_view extension);

std::vector<uint8_t> EncodeExport(const Model& model, ExportLayout layout);

// Why the layouts refuse a mesh of these counts: their solvers take at most
// 1999 triangles and 999 nodes. `atLeast` when the triangles are a lower
// bound of a mesh not made (the nodes are then unknown). Empty within both
// limits. The sentence names no remedy: that is the caller's, in its words.
std::optional<std::string> LayoutRefusal(int32_t triangles, int32_t nodes, bool atLeast = false);
// The same for the model's mesh.
std::optional<std::string> LayoutRefusal(const Model& model);

// Writes the export; a mesh past the layouts' limits is refused with
// LayoutRefusal's text, and no file; on a failed write the message is
// SaveFailedMessage() with the cause on the next line (WriteCause.h).
FileResult WriteExportFile(const Model& model, ExportLayout layout, const std::string& path);
