#include "chartpicture.h"

#include <QAccessible>
#include <QTest>

// The chart picture as a screen reader meets it: through the accessibility interface.
class TestChartPicture : public QObject {
    Q_OBJECT
private slots:
    void accessibleCanvas();
};

namespace {

struct Heard {
    QObject *object;
    QAccessible::Event type;
    QString description; // as the screen reader reads it on hearing the event
};
QList<Heard> events;

void recordEvent(QAccessibleEvent *event)
{
    events.append({event->object(), event->type(),
                   event->accessibleInterface()->text(QAccessible::Description)});
}

} // namespace

void TestChartPicture::accessibleCanvas()
{
    ChartPicture::setAnnouncer(recordEvent);
    ChartPicture picture;
    picture.setAccessibleName(QStringLiteral("Star chart"));
    picture.describe(QStringLiteral("Map from 0 to 10 across"), {});
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&picture);
    QVERIFY(face);
    QCOMPARE(face->role(), QAccessible::Canvas);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Star chart"));
    QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Map from 0 to 10 across"));
    QVERIFY(events.isEmpty()); // a view alone is read when asked for

    picture.describe(QStringLiteral("Map from 0 to 20 across"), QStringLiteral("Alpha, unowned"));
    QCOMPARE(face->text(QAccessible::Description),
             QStringLiteral("Map from 0 to 20 across. Selected: Alpha, unowned"));
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().object, &picture);
    QCOMPARE(events.first().type, QAccessible::DescriptionChanged);
    QCOMPARE(events.first().description, face->text(QAccessible::Description));

    // Panning with the same planet selected, or dropping the selection, says nothing.
    picture.describe(QStringLiteral("Map from 5 to 25 across"), QStringLiteral("Alpha, unowned"));
    picture.describe(QStringLiteral("Map from 5 to 25 across"), {});
    QCOMPARE(events.size(), 1);
    QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Map from 5 to 25 across"));
    picture.describe(QStringLiteral("Map from 5 to 25 across"), QStringLiteral("Beta, unowned"));
    QCOMPARE(events.size(), 2);
    ChartPicture::setAnnouncer(nullptr);
}

QTEST_MAIN(TestChartPicture)
#include "tst_chartpicture.moc"
