#pragma once
// The command line's import: a DXF read by the reader helper into the
// model just initialised, with every element on condition 1 and holes by
// nesting, cut and joined as the command line says or by the defaults.

#include <ostream>
#include <string>

#include "core/batch/BatchExport.h"
#include "core/model/Model.h"

// False, with the reason in `message`, when the drawing is refused or the
// reader fails; the summary goes to `messages`.
bool ImportDxfForBatch(const std::string& path, const DrawingSettings& settings, Model& model,
                       std::string& message, std::ostream& messages);
