#include "frmsplash.h"

#include "starfield.h"
#include "version.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

constexpr QSize kPictureSize(320, 200);

QPixmap splashPicture()
{
    QPixmap picture = starfield(kPictureSize, QRect(8, 104, 56, 88), 0x5EED);
    QPainter painter(&picture);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(44);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(230, 230, 255));
    painter.drawText(QRect(0, 24, kPictureSize.width(), 60), Qt::AlignCenter,
                     QStringLiteral("Kavora"));
    return picture;
}

QLabel *textLine(const QString &name, const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: rgb(220, 220, 240);"));
    return label;
}

} // namespace

QString versionLine()
{
    return QCoreApplication::translate("frmSplash", "Version %1.%2.%3")
        .arg(kavora::kVersionMajor)
        .arg(kavora::kVersionMinor)
        .arg(kavora::kVersionRevision);
}

frmSplash::frmSplash(QWidget *parent, int showMilliseconds)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(kPictureSize);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setPixmap(splashPicture());
    m_picture->setGeometry(QRect(QPoint(0, 0), kPictureSize));
    m_picture->installEventFilter(this);

    // The text lines lie on the picture as siblings, so a click on one never reaches it.
    QFont versionFont(QStringLiteral("Arial"));
    versionFont.setPointSize(12);
    versionFont.setBold(true);
    m_version = textLine(QStringLiteral("lblVersion"), tr("Version"), versionFont, this);
    m_version->setGeometry(40, 100, 240, 24);

    QLabel *label1 = textLine(QStringLiteral("Label1"), tr("Star charts for Quelmar"),
                              QFont(QStringLiteral("Arial"), 9), this);
    label1->setGeometry(40, 134, 240, 18);

    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(8.25);
    QLabel *copyright = textLine(QStringLiteral("lblCopyright"),
                                 tr("Copyright \u00A9 the Kavora authors"), small, this);
    copyright->setGeometry(40, 170, 240, 16);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(showMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &QDialog::accept);

    Form_Load();
}

void frmSplash::Form_Load()
{
    m_version->setText(versionLine());
    m_timer->start();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    // Any key that types a character closes it, Enter and Esc included; which one does
    // not matter.
    if (!event->text().isEmpty()) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
        m_picture->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void showSplash()
{
    frmSplash splash;
    splash.exec();
}
