#pragma once
// Files and printers to draw on: each owns its painter and offers a Surface. A document is
// finished with finish() (or save()); until then nothing is guaranteed on disk.

#include <filesystem>
#include <memory>

#include "platform/surface.h"

class QPrinter;

namespace veltrix::render {

class PainterSurface;

// Makes sure a QGuiApplication exists, as fonts and painting need one. Without a display (a
// command-line run, a test) the "offscreen" platform is used unless QT_QPA_PLATFORM says
// otherwise. Safe to call many times.
void ensureGuiApplication();

// A PDF file of A4 portrait pages at 300 dots per inch. Made in memory and written by finish()
// atomically (every write checked, a link written through), so a failed run or a full disk leaves
// an older file as it was.
class PdfDocument {
public:
    // Throws FileError when the file's folder does not exist.
    explicit PdfDocument(const std::filesystem::path& file);
    ~PdfDocument();
    Surface& surface();
    // Ends the document and moves it into place. Throws FileError on failure.
    void finish();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A picture in memory, white to start, saved as PNG (or any format Qt knows by the extension).
class ImageDocument {
public:
    ImageDocument(int width, int height);
    ~ImageDocument();
    Surface& surface();
    // Throws FileError when the image cannot be written.
    void save(const std::filesystem::path& file);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// An SVG drawing of the given size in pixels at 96 dots per inch.
class SvgDocument {
public:
    SvgDocument(const std::filesystem::path& file, int width, int height);
    ~SvgDocument();
    Surface& surface();
    // Throws FileError on failure.
    void finish();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A print job on a printer chosen by the user; pages go to the printer as they are finished.
class PrinterDocument {
public:
    // Throws FileError when the printer cannot be started.
    explicit PrinterDocument(QPrinter& printer);
    ~PrinterDocument();
    Surface& surface();
    void finish();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace veltrix::render
