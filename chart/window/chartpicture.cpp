#include "chartpicture.h"

#include "chartoverlay.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QToolTip>

#include <algorithm>

namespace {

// A chart to a screen reader: a canvas whose description is the picture's own.
class ChartPictureAccessible : public QAccessibleWidget {
public:
    explicit ChartPictureAccessible(ChartPicture *picture)
        : QAccessibleWidget(picture, QAccessible::Canvas)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return static_cast<const ChartPicture *>(widget())->description();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *chartPictureAccessible(const QString &, QObject *object)
{
    if (auto *picture = qobject_cast<ChartPicture *>(object))
        return new ChartPictureAccessible(picture);
    return nullptr;
}

ChartPicture::Announcer announcer = QAccessible::updateAccessibility;

} // namespace

void ChartPicture::setAnnouncer(Announcer to)
{
    announcer = to ? to : QAccessible::updateAccessibility;
}

ChartPicture::ChartPicture(QWidget *parent) : QWidget(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(chartPictureAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setMouseTracking(true);
    // The picture covers every pixel, so Qt need not clear behind it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartPicture::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void ChartPicture::addOverlay(const ChartOverlay *overlay)
{
    m_overlays.push_back(overlay);
    update();
}

void ChartPicture::removeOverlay(const ChartOverlay *overlay)
{
    std::erase(m_overlays, overlay);
    update();
}

void ChartPicture::setToolTipText(std::function<QString(QPointF)> text)
{
    m_toolTipText = std::move(text);
}

void ChartPicture::describe(const QString &view, const QString &selection)
{
    const bool announce = selection != m_selectionText && !selection.isEmpty();
    m_viewText = view;
    m_selectionText = selection;
    if (announce) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        announcer(&event);
    }
}

QString ChartPicture::description() const
{
    if (m_selectionText.isEmpty())
        return m_viewText;
    return tr("%1. Selected: %2").arg(m_viewText, m_selectionText);
}

bool ChartPicture::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = m_toolTipText ? m_toolTipText(help->pos()) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void ChartPicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    const QRect r = event->rect();
    const qreal ratio = m_picture.devicePixelRatio();
    painter.drawImage(QRectF(r), m_picture,
                      QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    for (const ChartOverlay *overlay : m_overlays)
        overlay->paint(painter);
}

// Qt's own rule for a double click: the same button again, soon enough and near enough.
void ChartPicture::mousePressEvent(QMouseEvent *event)
{
    const QStyleHints *hints = QGuiApplication::styleHints();
    const bool second = event->button() == m_pressButton &&
                        event->timestamp() - m_pressTime <
                            quint64(hints->mouseDoubleClickInterval()) &&
                        (event->position() - m_pressAt).manhattanLength() <=
                            hints->mouseDoubleClickDistance();
    if (second) {
        // A third press starts over, as Qt's next double click does.
        m_pressButton = Qt::NoButton;
        return;
    }
    m_pressButton = event->button();
    m_pressTime = event->timestamp();
    m_pressAt = event->position();
    emit mousePressed(event->button(), event->position());
}

void ChartPicture::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position());
}
