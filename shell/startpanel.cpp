#include "startpanel.h"

#include "recentmenu.h"

#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

StartPanel::StartPanel(const RecentMenu &recent, QWidget *parent)
    : QWidget(parent), m_recent(recent)
{
    setObjectName(QStringLiteral("startPanel"));
    setAccessibleName(tr("Start"));
    // The workspace's grey shows around it, the panel itself reads as a card.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(8);
    auto *title = caption(tr("No map is open yet."), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    m_open = new QPushButton(tr("Open Map File..."), this);
    m_open->setObjectName(QStringLiteral("startOpenMap"));
    const QString key = QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText);
    m_open->setToolTip(key);
    m_open->setAccessibleDescription(tr("Shortcut: %1").arg(key));
    auto *openRow = new QHBoxLayout;
    openRow->addWidget(m_open);
    openRow->addWidget(caption(key, this));
    openRow->addStretch();
    layout->addLayout(openRow);

    m_recentCaption = caption(tr("Recent maps:"), this);
    layout->addWidget(m_recentCaption);
    m_recentLayout = new QVBoxLayout;
    m_recentLayout->setSpacing(2);
    layout->addLayout(m_recentLayout);

    m_sample = new QPushButton(tr("Open the Sample Universe"), this);
    m_sample->setObjectName(QStringLiteral("startSample"));
    auto *sampleRow = new QHBoxLayout;
    sampleRow->addWidget(m_sample);
    sampleRow->addStretch();
    layout->addLayout(sampleRow);

    layout->addWidget(caption(
        tr("Or drop a map file, and planet reports with it, on this window."), this));

    connect(m_open, &QPushButton::clicked, this, &StartPanel::openMapClicked);
    connect(m_sample, &QPushButton::clicked, this, &StartPanel::sampleClicked);
    parent->installEventFilter(this);
    recentChanged();
}

bool StartPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        place();
    return QWidget::eventFilter(watched, event);
}

void StartPanel::place()
{
    const QSize room = parentWidget()->size();
    const QSize size = sizeHint().boundedTo(room);
    setGeometry(QRect(QPoint((room.width() - size.width()) / 2, (room.height() - size.height()) / 3),
                      size));
}

void StartPanel::recentChanged()
{
    qDeleteAll(m_recentButtons);
    m_recentButtons.clear();
    const QList<RecentEntry> &entries = m_recent.entries();
    m_recentCaption->setVisible(!entries.isEmpty());
    QWidget *previous = m_open;
    const QStringList captions = recentCaptions(entries);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        // Flat, left-aligned buttons: a list of names that the keyboard can reach.
        auto *button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("startRecent%1").arg(i + 1));
        button->setFlat(true);
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 8px;"));
        button->setToolTip(recentStatusTip(entries[i]));
        button->setAccessibleDescription(recentStatusTip(entries[i]));
        connect(button, &QPushButton::clicked, this, [this, i] { emit recentClicked(i); });
        m_recentLayout->addWidget(button);
        button->show(); // a child added to a shown panel would show only once events run
        setTabOrder(previous, button);
        previous = button;
        m_recentButtons << button;
    }
    setTabOrder(previous, m_sample);
    place();
}
