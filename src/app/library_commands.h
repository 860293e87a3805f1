#pragma once
// Commands of the base module that work with the material library.

#include "libraries/sheet_import.h"

namespace veltrix {

class BaseModule;

// The sheet window's "Import": the sizes of the job's material from the material library into the
// sheet table (sheet mode only; in coil mode nothing happens and NotFound is returned without a
// question). On Imported the import lock, the changed flag and the export mark are set; when the
// user agreed to discard the layout result, the result windows close and the run starts over.
// A sheet table that cannot be written is reported to the user and leaves the grid unchanged.
SheetImportResult importSheetsFromLibrary(BaseModule& module);

}  // namespace veltrix
