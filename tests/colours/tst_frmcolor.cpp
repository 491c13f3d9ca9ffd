#include "frmcolor.h"
#include "palette.h"
#include "scripteddialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTest>

using Kind = ScriptedDialog::Kind;

class TestFrmColor : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void windowAndKeyboardOrder();
    void raceList_data();
    void raceList();
    void pickShowsTotals_data();
    void pickShowsTotals();
    void swatchHatch_data();
    void swatchHatch();
    void recolour();
    void nothingChanges_data();
    void nothingChanges();
    void closeButton();
};

namespace {

// Slot order on purpose far from alphabetical order.
const QStringList kRaces = {"Zorn", "Amar", "Kelt", "Bix", "Yuun", "Crel", "Xan",  "Dov",
                            "Wyr",  "Eth",  "Vaa",  "Fen", "Ulm",  "Gor",  "Tass", "Salm"};

Globals withRaces(int count)
{
    Globals g;
    Initialize_Colors(g);
    for (int slot = 0; slot < count; ++slot)
        g.Player_Table[slot].Player_Name = kRaces[slot];
    g.Last_Player_Index = qint16(count - 1);
    return g;
}

// One window as the program would open it, with a scripted picker and a counted redraw.
struct Window {
    explicit Window(Globals &g)
        : form(new frmColor(g, dialog, [this] {
              ++redraws;
              if (onRedraw)
                  onRedraw();
          }))
    {
    }
    ~Window() { delete form.data(); } // closing deletes it; the pointer then reads null

    template <typename T> T *child(const char *name) const
    {
        T *widget = form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QComboBox *raceName() const { return child<QComboBox>("RaceName"); }
    QString text(const char *label) const { return child<QLabel>(label)->text(); }
    QImage swatch() const { return child<QWidget>("Race_Color")->grab().toImage(); }

    bool show()
    {
        form->show();
        return QTest::qWaitForWindowExposed(form);
    }

    // Picks list entry `row` as a user does: open the list with its arrow, click the entry.
    bool pick(int row)
    {
        QComboBox *combo = raceName();
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = true;
        const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxArrow, combo);
        // The pointer goes to the arrow first: the list ignores a release until the pointer
        // has moved away from where the list was opened.
        QTest::mouseMove(combo, arrow.center());
        QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
        QAbstractItemView *list = combo->view();
        if (!QTest::qWaitFor([list] { return list->isVisible(); }))
            return false;
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        const QPoint entry = list->visualRect(index).center();
        QTest::mouseMove(list->viewport(), entry);
        // On a real display the move may arrive late and the list then ignores the click for
        // a double-click interval, as it does for the release of the opening click; a user
        // clicks again.
        return QTest::qWaitFor([list, entry] {
            if (list->isVisible())
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
            return !list->isVisible();
        });
    }

    void press(const char *button)
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }

    ScriptedDialog dialog;
    int redraws = 0;
    std::function<void()> onRedraw;
    QPointer<frmColor> form;
};

QRgb rgb(PackedColor color)
{
    return qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

} // namespace

void TestFrmColor::controls_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry"); // pixels, a fifteenth of the twips

    QTest::newRow("Close_Me") << "&Close" << QRect(24, 112, 145, 25);
    QTest::newRow("Player_Color_Selection") << "&Color" << QRect(24, 80, 145, 25);
    QTest::newRow("RaceName") << "Select here for race name" << QRect(0, 8, 193, 21);
    QTest::newRow("Tot_Star") << "" << QRect(88, 48, 105, 17);
    QTest::newRow("Label2") << "Starbases:" << QRect(0, 48, 81, 17);
    QTest::newRow("Tot_Pop") << "" << QRect(88, 32, 105, 17);
    QTest::newRow("Label1") << "Total Population:" << QRect(0, 32, 81, 17);
    QTest::newRow("Race_Color") << "" << QRect(200, 8, 113, 121);
}

void TestFrmColor::controls()
{
    QFETCH(QString, text);
    QFETCH(QRect, geometry);

    Globals g = withRaces(3);
    Window w(g);
    QVERIFY(w.show());
    QWidget *control = w.child<QWidget>(QTest::currentDataTag());
    QCOMPARE(control->parentWidget(), w.form.data());
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isVisible());
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(button->text(), text);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        // Whatever font this desktop has, no caption is clipped.
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= geometry.width());
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        QCOMPARE(combo->currentText(), text);
    } else {
        QVERIFY(text.isEmpty()); // the swatch
    }
}

void TestFrmColor::windowAndKeyboardOrder()
{
    Globals g = withRaces(2);
    Window w(g);
    QVERIFY(w.show());
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Race Colors"));
    QCOMPARE(w.form->size(), QSize(322, 143));
    QVERIFY(w.form->isWindow());
    QVERIFY(!w.form->isModal());

    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form));
    // The list takes the focus first, then Tab walks "&Color", "&Close" and back.
    QComboBox *combo = w.raceName();
    QTRY_VERIFY(combo->hasFocus());
    const QList<QWidget *> order = {w.child<QPushButton>("Player_Color_Selection"),
                                    w.child<QPushButton>("Close_Me"), combo};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY2(next->hasFocus(), qPrintable(next->objectName()));
    }
}

void TestFrmColor::raceList_data()
{
    QTest::addColumn<int>("races");
    QTest::newRow("before any report") << 0;
    QTest::newRow("one race") << 1;
    QTest::newRow("all sixteen, slot order") << 16;
}

void TestFrmColor::raceList()
{
    QFETCH(int, races);
    Globals g = withRaces(races);
    // Free slots beyond the last race must not show up.
    if (races < kPlayerSlots)
        g.Player_Table[races].Player_Name = QStringLiteral("Leftover");
    Window w(g);
    QVERIFY(w.show());

    QComboBox *combo = w.raceName();
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    QCOMPARE(shown, kRaces.first(races));
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->currentText(), QStringLiteral("Select here for race name"));
    QCOMPARE(w.text("Tot_Pop"), QString());
    QCOMPARE(w.text("Tot_Star"), QString());

    // A race that a report adds now waits for the next window.
    if (races < kPlayerSlots) {
        g.Last_Player_Index = qint16(races);
        QCOMPARE(combo->count(), races);
    }
}

void TestFrmColor::pickShowsTotals_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("population");
    QTest::addColumn<QString>("starbases");

    // Slot 0 holds 7 starbases and 250000 people, so stale texts would show.
    const QString empty;
    QTest::newRow("third entry is slot 2, no starbases") << 2 << QString("1200") << empty;
    QTest::newRow("second entry, no totals at all") << 1 << empty << empty;
    QTest::newRow("fraction and zero") << 3 << QString("0.5") << QString("0");
    QTest::newRow("large, no grouping") << 4 << QString("123456789012") << QString("1");
    QTest::newRow("as typed, no binary noise") << 5 << QString("1234567.891") << QString("12.3");
}

void TestFrmColor::pickShowsTotals()
{
    QFETCH(int, row);
    QFETCH(QString, population);
    QFETCH(QString, starbases);

    Globals g = withRaces(6);
    g.Player_Table[5].Player_Population = 1234567.891;
    g.Player_Table[5].Player_Starbases = 12.3; // not a count, but a double printed as any other
    g.Player_Table[0].Player_Population = 250000;
    g.Player_Table[0].Player_Starbases = 7;
    g.Player_Table[2].Player_Population = 1200;
    g.Player_Table[3].Player_Population = 0.5;
    g.Player_Table[3].Player_Starbases = 0;
    g.Player_Table[4].Player_Population = 123456789012.0;
    g.Player_Table[4].Player_Starbases = 1;
    const Globals before = g;
    Window w(g);
    QVERIFY(w.show());

    QVERIFY(w.pick(0));
    QCOMPARE(w.text("Tot_Pop"), QStringLiteral("250000"));
    QCOMPARE(w.text("Tot_Star"), QStringLiteral("7"));

    QVERIFY(w.pick(row));
    QCOMPARE(w.raceName()->currentText(), kRaces[row]);
    QCOMPARE(w.text("Tot_Pop"), population);
    QCOMPARE(w.text("Tot_Star"), starbases);
    QCOMPARE(w.redraws, 0);
    QVERIFY(w.dialog.asked().isEmpty());
    QCOMPARE(g.Player_Table, before.Player_Table);
}

void TestFrmColor::swatchHatch_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("rise"); // +1: "/" lines, -1: "\" lines
    QTest::newRow("slot 0, light blue upward") << 0 << 1;
    QTest::newRow("slot 15, salmon downward") << 15 << -1;
}

void TestFrmColor::swatchHatch()
{
    QFETCH(int, row);
    QFETCH(int, rise);

    Globals g = withRaces(16);
    Window w(g);
    QVERIFY(w.show());

    const QImage initial = w.swatch();
    QCOMPARE(initial.size(), QSize(113, 121));
    for (int y = 0; y < initial.height(); ++y)
        for (int x = 0; x < initial.width(); ++x)
            QCOMPARE(initial.pixel(x, y), qRgb(0, 0, 0));

    QVERIFY(w.pick(row));
    const QImage image = w.swatch();
    const QRgb race = rgb(kDefaultPalette[row].color);
    QCOMPARE(race, row == 0 ? qRgb(0, 0, 255) : qRgb(255, 128, 128));

    // Black with lines in the race colour, an eighth of the pixels; each line pixel
    // continues one step up and to the right for "/", down and to the right for "\".
    int lit = 0;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 0; x < image.width() - 1; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == qRgb(0, 0, 0))
                continue;
            QCOMPARE(pixel, race);
            ++lit;
            QCOMPARE(image.pixel(x + 1, y - rise), race);
            QCOMPARE(image.pixel(x + 1, y + rise), qRgb(0, 0, 0));
            QCOMPARE(image.pixel(x + 1, y), qRgb(0, 0, 0));
        }
    }
    const int inside = (image.width() - 1) * (image.height() - 2);
    QVERIFY2(qAbs(lit * 8 - inside) < inside / 20, qPrintable(QString::number(lit)));
}

void TestFrmColor::recolour()
{
    Globals g = withRaces(3);
    struct Planet {
        const char *owner;
        qint16 style;
    };
    const Planet planets[] = {{"Kelt", 4}, {"kelt", 4}, {"Kelt ", 4}, {"Amar", 4},
                              {"", 1},     {"Kelt", 2}, {"KELT", 5}};
    for (const Planet &p : planets) {
        Star_Object star;
        star.Owner = QString::fromLatin1(p.owner);
        const int slot = int(kRaces.indexOf(star.Owner));
        star.color = slot >= 0 ? g.Player_Table[slot].Player_Color : PackedColor(0x00000080);
        star.Style = p.style;
        g.Star_Table.push_back(star);
    }
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    g.Player_Table[2].Player_Style = 7; // styles belong to the slot and stay
    const Globals before = g;

    Window w(g);
    Globals atRedraw;
    w.onRedraw = [&] { atRedraw = g; };
    QVERIFY(w.show());
    QVERIFY(w.pick(2));

    w.dialog.answerColor(0x00123456);
    w.press("Player_Color_Selection");

    QCOMPARE(w.dialog.asked().size(), 1);
    QCOMPARE(w.dialog.asked()[0].kind, Kind::Color);
    QCOMPARE(w.dialog.asked()[0].start, PackedColor(0)); // first use after loading: black
    QVERIFY(w.dialog.messages().isEmpty());
    QCOMPARE(w.redraws, 1);

    Globals expected = before;
    expected.Player_Table[2].Player_Color = 0x00123456;
    expected.Star_Table[0].color = 0x00123456;
    expected.Star_Table[5].color = 0x00123456;
    QCOMPARE(g.Player_Table, expected.Player_Table);
    QCOMPARE(g.Star_Table, expected.Star_Table);
    // The chart is redrawn from the new colours.
    QCOMPARE(atRedraw.Star_Table, expected.Star_Table);

    // The swatch shows the new colour in the slot's own hatch (7: both diagonals).
    const QImage swatch = w.swatch();
    int lit = 0;
    for (int y = 0; y < swatch.height(); ++y) {
        for (int x = 0; x < swatch.width(); ++x) {
            const bool on = swatch.pixel(x, y) == qRgb(0x56, 0x34, 0x12);
            QVERIFY(on || swatch.pixel(x, y) == qRgb(0, 0, 0));
            lit += on;
        }
    }
    const int all = swatch.width() * swatch.height();
    QVERIFY(lit > all / 5 && lit < all / 3);

    // A cancel in between leaves the picker's start alone: it starts from the last answer.
    w.dialog.cancelNext();
    w.press("Player_Color_Selection");
    w.dialog.answerColor(0x00ABCDEF);
    w.press("Player_Color_Selection");
    QCOMPARE(w.dialog.asked().size(), 3);
    QCOMPARE(w.dialog.asked()[1].start, PackedColor(0x00123456));
    QCOMPARE(w.dialog.asked()[2].start, PackedColor(0x00123456));
    QCOMPARE(w.redraws, 2);
    QCOMPARE(*g.Star_Table[5].color, PackedColor(0x00ABCDEF));
    QCOMPARE(*g.Star_Table[1].color, *before.Star_Table[1].color);
}

void TestFrmColor::nothingChanges_data()
{
    QTest::addColumn<int>("races");
    QTest::addColumn<int>("row");       // -1: nothing picked
    QTest::addColumn<QString>("typed"); // typed into the list's text field afterwards
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<PackedColor>("nextStart");

    const PackedColor answer = 0x00C0FFEE;
    QTest::newRow("cancel") << 3 << 2 << "" << true << PackedColor(0);
    QTest::newRow("no race picked") << 3 << -1 << "" << false << answer;
    QTest::newRow("typed over the picked race") << 3 << 2 << "x" << false << answer;
    // A race's exact name typed picks nothing: neither when the field loses the focus to
    // "&Color" nor on Enter ("\n" at the end).
    QTest::newRow("typed a race's exact name") << 3 << -1 << "Kelt" << false << answer;
    QTest::newRow("typed a race's exact name, Enter") << 3 << -1 << "Kelt\n" << false << answer;
    QTest::newRow("typed another race's name over the picked one")
        << 3 << 0 << "Amar\n" << false << answer;
    QTest::newRow("before any report") << 0 << -1 << "" << false << answer;
}

void TestFrmColor::nothingChanges()
{
    QFETCH(int, races);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(bool, cancel);
    QFETCH(PackedColor, nextStart);

    Globals g = withRaces(races);
    for (int slot = 0; slot < races; ++slot) {
        Star_Object star;
        star.Owner = kRaces[slot];
        star.color = g.Player_Table[slot].Player_Color;
        star.Style = 4;
        g.Star_Table.push_back(star);
    }
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    Window w(g);
    QVERIFY(w.show());
    if (row >= 0)
        QVERIFY(w.pick(row));
    const QString population = w.text("Tot_Pop");
    if (!typed.isEmpty()) {
        QLineEdit *edit = w.raceName()->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed.trimmed());
        if (typed.endsWith(u'\n'))
            QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(w.raceName()->currentIndex(), -1);
        QCOMPARE(edit->text(), typed.trimmed());
    }
    const Globals before = g;
    const QImage swatch = w.swatch();

    if (cancel)
        w.dialog.cancelNext();
    else
        w.dialog.answerColor(0x00C0FFEE);
    w.press("Player_Color_Selection");

    QCOMPARE(w.dialog.asked().size(), 1); // the picker is shown all the same
    QCOMPARE(w.dialog.asked()[0].kind, Kind::Color);
    QVERIFY(w.dialog.messages().isEmpty());
    QCOMPARE(w.redraws, 0);
    QCOMPARE(g.Player_Table, before.Player_Table);
    QCOMPARE(g.Star_Table, before.Star_Table);
    QCOMPARE(w.swatch(), swatch);
    QCOMPARE(w.text("Tot_Pop"), population);
    if (!typed.isEmpty())
        QCOMPARE(w.raceName()->currentIndex(), -1);

    w.press("Player_Color_Selection");
    QCOMPARE(w.dialog.asked().size(), 2);
    QCOMPARE(w.dialog.asked()[1].start, nextStart);
}

void TestFrmColor::closeButton()
{
    Globals g = withRaces(2);
    Window w(g);
    QVERIFY(w.show());
    QVERIFY(w.pick(0));

    w.press("Close_Me");
    QTRY_VERIFY(w.form.isNull());
    QVERIFY(w.dialog.asked().isEmpty());
    QCOMPARE(w.redraws, 0);
}

QTEST_MAIN(TestFrmColor)
#include "tst_frmcolor.moc"
