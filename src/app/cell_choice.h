#pragma once
// Cells filled from file dialogs: the label picture (LABELFILE) and the DXF outline (DXFFILE),
// whose drawing also sets the piece's LENGTH and WIDTH; in the cut-piece grid of the job and in
// the product library grid.

#include <string>

#include "app/job_editing.h"
#include "platform/file_dialogs.h"

namespace veltrix {

class GridTable;
class Prompt;
class Workspace;

inline constexpr const char* kDxfDialogTitle = "Open DXF file...";
inline constexpr const char* kDxfFilter = "AutoCAD R12/LT2 DXF (*.dxf)|*.dxf|";
inline constexpr const char* kPictureDialogTitle = "Open Picture file...";
inline constexpr const char* kPictureFilter = "Picture Files (*.gif;*.jpg;*.bmp)|*.GIF;*.JPG;*.BMP|";

// The dialog request for a cell whose key asks for a file; the dialog opens at the cell's file,
// a relative name taken in the working folder.
FileDialogRequest dxfDialogRequest(const std::string& current, const Workspace& workspace);
FileDialogRequest pictureDialogRequest(const std::string& current, const Workspace& workspace);

// Stores a chosen DXF path into the cell and, when the path is not empty, reads the drawing and
// writes its overall X extent into LENGTH and its Y extent into WIDTH of the same row, each with
// two decimals and no leading zero below 1 (600.00, .50). A drawing that cannot be read leaves the
// sizes as they were and tells the user why. Returns false in that case.
bool storeDxfChoice(BaseModule& module, JobGrid grid, int row, int column, const std::string& path);

// Reads the DXF drawing `path` (a relative name in the working folder, wherever the program was
// started) and writes its overall X extent into the row's LENGTH and its Y extent into its WIDTH
// (the first columns of those keys), each with two decimals and no leading zero below 1. A drawing
// that cannot be read or holds nothing to measure leaves the sizes as they were and tells the user
// why; returns false then.
bool storeOutlineSizes(GridTable& table, int row, const std::string& path, const Workspace& workspace,
                       Prompt& prompt);

// The file cells of a grid that is not a job grid (the product library): the DXF or picture
// dialog opened with the cell's text; the chosen path replaces the text and, for a drawing, the
// row's sizes follow it. Returns true when the cell changed; a cancelled dialog keeps the text.
bool chooseFileForCell(GridTable& table, int row, int column, KeyAction action, FileDialogs& dialogs,
                       const Workspace& workspace, Prompt& prompt);

// Carries out a key's dialog action on a cell: the DXF dialog (then storeDxfChoice) or the picture
// dialog, each opened with the cell's text; a cancelled dialog keeps the text. Returns true when
// the cell changed. Other actions do nothing here.
bool chooseForCell(BaseModule& module, JobGrid grid, int row, int column, KeyAction action);

}  // namespace veltrix
