#include "scope/scope_print.h"

#include "scope/scope_panel.h"
#include "ui/graph_widget.h"

#include <qcustomplot.h>

#include <QDateTime>
#include <QFontMetricsF>
#include <QImage>
#include <QLayout>
#include <QLocale>
#include <QPrinter>
#include <QRegion>

namespace quorvane {
namespace {

constexpr int kFooterPointSize = 8;
constexpr int kCaptionPointSize = 10;
constexpr int kPanelOversampling = 4;

QFont reportFont(int pointSize) {
  QFont f(QString::fromLatin1(kReportFont.data(), static_cast<qsizetype>(kReportFont.size())));
  f.setPointSize(pointSize);
  f.setBold(false);
  f.setItalic(false);
  return f;
}

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Draws `panel` with its top left corner at the painter's origin. The graphs go through
// the graph library's own painter path, so they stay vectors; the rest of the panel is
// rendered by its widgets at whatever resolution the painter has.
void paintPanel(QCPPainter &painter, QWidget &panel, const std::vector<GraphWidget *> &graphs) {
  QRegion rest(panel.rect());
  for (GraphWidget *g : graphs)
    rest -= QRect(g->mapTo(&panel, QPoint(0, 0)), g->size());
  // Qt renders widgets onto a printer through a picture at screen resolution; rendered
  // here at four times that, the panel's text and frames print sharp.
  QImage image(panel.size() * kPanelOversampling, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kPanelOversampling);
  image.fill(Qt::transparent);
  panel.render(&image, QPoint(), rest, QWidget::DrawWindowBackground | QWidget::DrawChildren);
  painter.drawImage(QRectF(QPointF(0, 0), QSizeF(panel.size())), image);
  for (GraphWidget *g : graphs) {
    if (!g->isVisibleTo(&panel)) continue;
    painter.save();
    painter.translate(g->plot()->mapTo(&panel, QPoint(0, 0)));
    painter.setClipRect(QRect(QPoint(0, 0), g->plot()->size()));
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNonCosmetic);
    g->plot()->toPainter(&painter, g->plot()->width(), g->plot()->height());
    painter.restore();
  }
}

} // namespace

bool paintScopeReport(QPrinter &printer, const std::vector<ReportLine> &lines, ScopePanel &panel) {
  // A panel that was never on screen has no layout yet.
  if (panel.layout()) panel.layout()->activate();
  panel.ensurePolished();

  // The page is laid out in the panel's own units: fonts in points then have the size
  // they have on the panel, in the report text as in the graph library's drawing. Text and
  // lines stay vectors whatever the unit.
  printer.setResolution(panel.logicalDpiX());
  QCPPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF page(QPointF(0, 0),
                    printer.pageLayout().paintRectPixels(printer.resolution()).size());

  double y = 0.0;
  painter.setPen(Qt::black);
  for (const ReportLine &line : lines) {
    const QFont font = reportFont(line.pointSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    if (line.text.empty()) {
      y += metrics.lineSpacing();
      continue;
    }
    const QRectF space(0.0, y, page.width(), page.height() - y);
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QString text = qs(line.text);
    const QRectF used = painter.boundingRect(space, flags, text);
    painter.drawText(space, flags, text);
    y += used.height();
  }

  const QFont captionFont = reportFont(kCaptionPointSize);
  const QFont footerFont = reportFont(kFooterPointSize);
  const double captionHeight = QFontMetricsF(captionFont, &printer).lineSpacing();
  const double footerHeight = QFontMetricsF(footerFont, &printer).lineSpacing();
  const double pictureSpace = page.height() - y - captionHeight - 2.0 * footerHeight;
  const PictureFit fit = fitPicture(panel.width(), panel.height(), page.width(), pictureSpace);
  if (fit.scale > 0.0) {
    painter.save();
    painter.translate((page.width() - fit.width) / 2.0, y);
    painter.scale(fit.scale, fit.scale);
    paintPanel(painter, panel, {panel.scopeGraph(), panel.digitalGraph()});
    painter.restore();
    y += fit.height;
    painter.setFont(captionFont);
    painter.drawText(QRectF(0.0, y, page.width(), captionHeight), Qt::AlignHCenter | Qt::AlignTop,
                     qs(kReportPictureCaption));
  }

  painter.setFont(footerFont);
  const QRectF foot(0.0, page.height() - footerHeight, page.width(), footerHeight);
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale;
  painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter,
                   locale.toString(now.date(), QLocale::ShortFormat));
  painter.drawText(foot, Qt::AlignHCenter | Qt::AlignVCenter,
                   now.time().toString(QStringLiteral("HH:mm:ss")));
  painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, qs(pageNumberText(1, 1)));

  const bool ended = painter.end();
  return ended && printer.printerState() != QPrinter::Error;
}

} // namespace quorvane
