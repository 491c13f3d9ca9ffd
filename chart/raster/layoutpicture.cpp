#include "layoutpicture.h"

#include "imagesurface.h"
#include "paintersurface.h"
#include "picturefile.h"
#include "runerror.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <memory>

namespace {

// How many pixels an inch an SVG's size is given in: a viewer shows it at its pixel size.
constexpr int kSvgResolution = 96;

void paintPanes(QPainter &painter, const PictureLayout &layout, int scale)
{
    painter.scale(scale, scale);
    painter.fillRect(QRect(QPoint(0, 0), layout.size), Qt::black);
    for (const PicturePane &pane : layout.panes) {
        const QSize own = pane.area.size() / pane.zoom;
        painter.save();
        painter.translate(pane.area.topLeft());
        painter.scale(pane.zoom, pane.zoom);
        painter.setClipRect(QRect(QPoint(0, 0), own)); // a PDF keeps it; an SVG ignores it
        painter.fillRect(QRect(QPoint(0, 0), own), Qt::black);
        {
            PainterSurface surface(painter, own);
            pane.draw(surface);
            surface.finish();
        }
        painter.restore();
    }
}

} // namespace

QImage layoutImage(const PictureLayout &layout, int scale)
{
    scale = std::clamp(scale, 1, ImageSurface::kMaxScale);
    QImage out(layout.size * scale, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const PicturePane &pane : layout.panes) {
        ImageSurface surface(pane.area.size() / pane.zoom, scale * pane.zoom);
        pane.draw(surface);
        painter.drawImage(pane.area.topLeft() * scale, surface.Image());
    }
    return out;
}

const char *vectorFormatFor(const QString &fileName)
{
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return "svg";
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return "pdf";
    return nullptr;
}

void SaveVectorPicture(const PictureLayout &layout, const QString &fileName, const char *format,
                       int scale)
{
    scale = std::clamp(scale, 1, ImageSurface::kMaxScale);
    const QSize size = layout.size * scale;
    const QString title = layout.title.isEmpty()
                              ? QCoreApplication::translate("LayoutPicture", "Star chart")
                              : layout.title;
    writePictureFile(fileName, [&](QFileDevice &file) {
        // Declared after the file: on a failure the painter ends first, then the file is
        // dropped unwritten.
        std::unique_ptr<QPaintDevice> device;
        if (qstrcmp(format, "pdf") == 0) {
            auto pdf = std::make_unique<QPdfWriter>(&file);
            pdf->setResolution(72); // one point a pixel
            pdf->setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(),
                                       QPageSize::ExactMatch));
            pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf->setTitle(title);
            pdf->setCreator(QStringLiteral("Kavora"));
            device = std::move(pdf);
        } else {
            auto svg = std::make_unique<QSvgGenerator>();
            svg->setOutputDevice(&file);
            svg->setSize(size);
            svg->setViewBox(QRect(QPoint(0, 0), size));
            svg->setResolution(kSvgResolution);
            svg->setTitle(title);
            svg->setDescription(QCoreApplication::translate("LayoutPicture", "Drawn by Kavora"));
            device = std::move(svg);
        }
        QPainter painter;
        if (!painter.begin(device.get()))
            throw RunError(RunError::DeviceIOError,
                           QCoreApplication::translate("LayoutPicture",
                                                       "the drawing could not be started"))
                .at(fileName, 0);
        paintPanes(painter, layout, scale);
        if (!painter.end() || file.error() != QFileDevice::NoError)
            throw RunError(RunError::DeviceIOError, file.errorString()).at(fileName, 0);
        device.reset(); // the PDF writer finishes the file as it goes
        if (file.error() != QFileDevice::NoError)
            throw RunError(RunError::DeviceIOError, file.errorString()).at(fileName, 0);
    });
}
