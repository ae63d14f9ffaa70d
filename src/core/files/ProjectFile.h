#pragma once
// The text project file (.vdk): counts, nodes, elements, conditions,
// boundaries, properties, internal nodes, problem kind, end marker, and for
// a project with materials or region points their section after it.

#include <string>
#include <string_view>

#include "core/model/Model.h"

struct FileResult {
  bool ok = false;
  std::string message;  // a short sentence in the user's language when !ok
};

// The file's whole text, CR LF line ends, C-locale numbers.
std::string FormatProjectFile(const Model& model);

// Writes the file safely (the previous file survives a failed save). A
// failed save's message is SaveFailedMessage() with the cause after it (WriteCause.h).
FileResult SaveProjectFile(const Model& model, const std::string& path);

// Reads counts and sections into the model's tables. After the problem kind
// only the end marker followed by the materials and region points is read
// (RegionSection.h); anything else there is ignored. A file whose counts are out of range, that ends
// early, holds a non-number where a number is due, or whose elements name
// nodes that do not exist is refused and the model's data are reset.
FileResult ParseProjectFile(std::string_view text, Model& model);
FileResult LoadProjectFile(const std::string& path, Model& model);
