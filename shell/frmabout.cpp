#include "frmabout.h"

#include "frmsplash.h"
#include "starfield.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr QSize kPictureSize(320, 200);

QLabel *textLine(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: rgb(220, 220, 240);"));
    return label;
}

QPixmap aboutPicture()
{
    QPixmap picture = starfield(kPictureSize, QRect(232, 48, 80, 76), 0xAB0u);
    QPainter painter(&picture);
    QFont title = painter.font();
    title.setPixelSize(20);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(230, 230, 255));
    painter.drawText(QRect(16, 12, 288, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::translate("CommonDialog", kProgramTitle));
    return picture;
}

} // namespace

frmAbout::frmAbout(CommonDialog &dialog, Registry &registry, Programs &programs, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_dialog(dialog),
      m_registry(registry), m_programs(programs)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(kPictureSize);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(aboutPicture());
    picture->setGeometry(QRect(QPoint(0, 0), kPictureSize));

    m_version = textLine(QStringLiteral("lblVersion"), tr("Version"), this);
    QFont versionFont(QStringLiteral("MS Sans Serif"));
    versionFont.setPointSizeF(9.75);
    m_version->setFont(versionFont);
    m_version->setGeometry(16, 50, 288, 20);

    textLine(QStringLiteral("Label2"), tr("Star charts for Quelmar"), this)
        ->setGeometry(16, 76, 288, 18);
    textLine(QStringLiteral("Label1"), tr("Copyright \u00A9 the Kavora authors"), this)
        ->setGeometry(16, 100, 210, 18);

    // Tab order follows creation: OK first, so it has the focus when the box opens.
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    ok->setGeometry(212, 130, 96, 26);
    // Esc reaches QDialog's reject, which closes the box just as OK does.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *sysInfo = new QPushButton(tr("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    // Enter on the focused button starts System Info; OK takes it whenever the focus is
    // elsewhere.
    sysInfo->setAutoDefault(true);
    sysInfo->setGeometry(212, 164, 96, 26);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::Form_Load()
{
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    setWindowTitle(tr("About ") + QCoreApplication::translate("CommonDialog", kProgramTitle));
    m_version->setText(versionLine());
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo(m_registry, m_programs, m_dialog);
}
