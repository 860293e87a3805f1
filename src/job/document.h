#pragma once
// The job being worked on: the three job tables as the user typed them, the objective, the cutting
// plan, where the job is stored and whether it changed since. Both front ends hold one.
//
//     Document doc = readDocument("kitchen.opt");
//     const Job job = doc.job();             // typed values for the engine and the readers
//     doc.plan = ...;                        // a run's result
//     writeDocument(doc, doc.path);

#include <cstdint>
#include <filesystem>
#include <optional>

#include "job/job.h"
#include "job/plan.h"
#include "job/project_file.h"

namespace veltrix {

// What tells one state of a file from another: the name it was taken under, the file (device and
// inode, so a file replaced by a rename is another file), its size and its modification time.
struct FileStamp {
    std::filesystem::path path;
    std::uintmax_t device = 0;
    std::uintmax_t inode = 0;
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file a path names (through links); nothing when there is no such file.
std::optional<FileStamp> fileStamp(const std::filesystem::path& path) noexcept;

struct Document {
    StockMode mode = StockMode::Sheet;  // ".dcm" files are coil jobs
    JobTables tables;                   // not bound to files; the basic details hold one row
    Objective objective;
    Plan plan;
    std::filesystem::path path;  // empty for a job never saved
    bool changed = false;
    // The sections as last read or written. A section whose content did not change is written
    // back exactly as it was read, so that opening and saving a job changes no byte of it.
    Project stored;
    // The state of the file the document was read from or last written to; nothing for a
    // document that has no file yet.
    std::optional<FileStamp> stamp;

    Job job() const { return readJob(tables, mode, objective); }
};

// Coil mode for ".dcm" (letter case ignored), else sheet mode.
StockMode modeOfPath(const std::filesystem::path& path);

// The document of a project's sections (the sheet table's QTY hidden in coil mode).
Document documentOfProject(const Project& project, StockMode mode);
// The sections to store: the tables, objective and plan, each section as stored when its content
// is the same.
Project projectOfDocument(const Document& document);

// Reads a project file and notes its stamp; throws FileError when it cannot be read.
Document readDocument(const std::filesystem::path& path);
// Writes the document to `path` atomically (a failed save never destroys the previous file) and
// remembers what was written and the stamp of the file written. Throws FileError. Path and changed flag are left to the caller.
void writeDocument(Document& document, const std::filesystem::path& path);

// True when the file at the document's path is no longer the one it was read from or last
// written to (another program wrote it, or removed it). False when the stamp is of another path
// or there is none.
bool changedOnDisk(const Document& document);

// Fills unbound tables from the sections of a project (basic details cut back to one row).
void tablesFromProject(const Project& project, JobTables& tables);

}  // namespace veltrix
