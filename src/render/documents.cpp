#include "render/documents.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <unistd.h>

#include "render/painter_surface.h"
#include "base/error.h"
#include "base/file_ops.h"

namespace fs = std::filesystem;

// fontconfig, under Qt's font database, keeps its configuration until the process ends; a leak
// check at exit (sanitizer builds, GCC's or clang's) would count it as lost.
#if defined(__SANITIZE_ADDRESS__)
#define VELTRIX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTRIX_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(VELTRIX_ADDRESS_SANITIZER)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

namespace veltrix::render {

namespace {

std::string_view bytesOf(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder; without one (a root shell, a service) it makes one and
    // warns. Make it quietly, owner-only as Qt requires.
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        std::error_code ec;
        const fs::path runtime = fs::temp_directory_path(ec) / ("veltrix-runtime-" + std::to_string(getuid()));
        fs::create_directories(runtime, ec);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace, ec);
        if (!ec) qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
    }
    static int argc = 1;
    static char name[] = "veltrix";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// ---------------------------------------------------------------------------------------------

// The PDF is made in memory and written by writeFileAtomic once it is whole: every write and the
// close are checked there, and a full disk leaves an earlier file as it was (QPdfWriter writing a
// file itself would not tell of a failed write).
struct PdfDocument::Impl {
    fs::path target;
    QByteArray bytes;
    QBuffer buffer{&bytes};
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    std::unique_ptr<PainterSurface> surface;
};

PdfDocument::PdfDocument(const fs::path& file) : impl_(std::make_unique<Impl>()) {
    ensureGuiApplication();
    impl_->target = file;
    std::error_code ec;
    if (!fs::is_directory(file.has_parent_path() ? file.parent_path() : fs::path("."), ec))
        throw FileError(file, "Cannot create the file (its folder does not exist)");
    impl_->buffer.open(QIODevice::WriteOnly);
    impl_->writer = std::make_unique<QPdfWriter>(&impl_->buffer);
    impl_->writer->setResolution(300);
    impl_->writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                             QPageLayout::Millimeter));
    impl_->writer->setCreator(QStringLiteral("Veltrix Suite"));
    if (!impl_->painter.begin(impl_->writer.get())) {
        impl_->writer.reset();
        throw FileError(file, "Cannot create the file");
    }
    impl_->surface = std::make_unique<PainterSurface>(impl_->painter, impl_->writer.get());
}

PdfDocument::~PdfDocument() {
    if (impl_->painter.isActive()) impl_->painter.end();
    impl_->writer.reset();
}

Surface& PdfDocument::surface() { return *impl_->surface; }

void PdfDocument::finish() {
    const bool ended = impl_->painter.end();
    impl_->writer.reset();  // ends the document in the buffer
    impl_->buffer.close();
    if (!ended || impl_->bytes.isEmpty()) throw FileError(impl_->target, "Cannot write the file");
    writeFileAtomic(impl_->target, bytesOf(impl_->bytes));
}

// ---------------------------------------------------------------------------------------------

struct ImageDocument::Impl {
    QImage image;
    QPainter painter;
    std::unique_ptr<PainterSurface> surface;
};

ImageDocument::ImageDocument(int width, int height) : impl_(std::make_unique<Impl>()) {
    ensureGuiApplication();
    impl_->image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    impl_->image.fill(Qt::white);
    // 96 dots per inch, as a screen: fonts come out at their usual screen size.
    impl_->image.setDotsPerMeterX(3780);
    impl_->image.setDotsPerMeterY(3780);
    impl_->painter.begin(&impl_->image);
    impl_->surface = std::make_unique<PainterSurface>(impl_->painter);
}

ImageDocument::~ImageDocument() {
    if (impl_->painter.isActive()) impl_->painter.end();
}

Surface& ImageDocument::surface() { return *impl_->surface; }

void ImageDocument::save(const fs::path& file) {
    if (impl_->painter.isActive()) impl_->painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string format = file.extension().string();
    if (!format.empty()) format.erase(0, 1);
    if (format.empty()) format = "png";
    if (!impl_->image.save(&buffer, toUpper(format).c_str())) throw FileError(file, "Cannot write the picture");
    writeFileAtomic(file, bytesOf(bytes));
}

// ---------------------------------------------------------------------------------------------

struct SvgDocument::Impl {
    fs::path target;
    QByteArray bytes;
    QBuffer buffer{&bytes};
    QSvgGenerator generator;
    QPainter painter;
    std::unique_ptr<PainterSurface> surface;
};

SvgDocument::SvgDocument(const fs::path& file, int width, int height) : impl_(std::make_unique<Impl>()) {
    ensureGuiApplication();
    impl_->target = file;
    impl_->buffer.open(QIODevice::WriteOnly);
    impl_->generator.setOutputDevice(&impl_->buffer);
    impl_->generator.setSize(QSize(std::max(width, 1), std::max(height, 1)));
    impl_->generator.setViewBox(QRect(0, 0, std::max(width, 1), std::max(height, 1)));
    impl_->generator.setResolution(96);
    impl_->generator.setTitle(QStringLiteral("Layout"));
    impl_->painter.begin(&impl_->generator);
    impl_->surface = std::make_unique<PainterSurface>(impl_->painter);
}

SvgDocument::~SvgDocument() {
    if (impl_->painter.isActive()) impl_->painter.end();
}

Surface& SvgDocument::surface() { return *impl_->surface; }

void SvgDocument::finish() {
    if (impl_->painter.isActive()) impl_->painter.end();
    impl_->buffer.close();
    writeFileAtomic(impl_->target, bytesOf(impl_->bytes));
}

// ---------------------------------------------------------------------------------------------

struct PrinterDocument::Impl {
    QPrinter* printer = nullptr;
    QPainter painter;
    std::unique_ptr<PainterSurface> surface;
};

PrinterDocument::PrinterDocument(QPrinter& printer) : impl_(std::make_unique<Impl>()) {
    impl_->printer = &printer;
    if (!impl_->painter.begin(&printer)) throw FileError(printer.printerName().toStdString(), "Cannot start printing on");
    impl_->surface = std::make_unique<PainterSurface>(impl_->painter, &printer);
}

PrinterDocument::~PrinterDocument() {
    if (impl_->painter.isActive()) impl_->painter.end();
}

Surface& PrinterDocument::surface() { return *impl_->surface; }

void PrinterDocument::finish() {
    if (impl_->painter.isActive()) impl_->painter.end();
}

}  // namespace veltrix::render
