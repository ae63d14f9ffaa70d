#pragma once
// The mesh as binary input for the solvers: little-endian 32-bit words in
// three layouts that differ only in the header.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/ProjectFile.h"
#include "core/model/Model.h"

enum class ExportLayout { M2d, Ulx, N2d };

// Chosen by the name's last three characters, with exact case: "ulx"/"ULX"
// and "n2d"/"N2D"; anything else (a shorter name compared whole) is m2d.
ExportLayout LayoutForName(std::string_view fileName);

std::vector<uint8_t> EncodeExport(const Model& model, ExportLayout layout);

// Writes the export; on failure the message is "Nie można zapisać do pliku".
FileResult WriteExportFile(const Model& model, ExportLayout layout, const std::string& path);
