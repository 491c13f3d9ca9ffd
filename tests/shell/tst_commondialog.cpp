#include "qtcommondialog.h"
#include "testfiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

class TestCommonDialog : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void openDialog();
    void saveDialog();
    void saveAddsTheChosenFiltersExtension();
    void saveAsksBeforeReplacing();
    void colourDialog();
    void messageBox();
};

namespace {

// Runs `answer` on the modal dialog that the next call opens.
template <typename Dialog> void whenShown(QObject *context, std::function<void(Dialog *)> answer)
{
    QTimer::singleShot(0, context, [answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the expected dialog is not showing");
        answer(dialog);
    });
}

} // namespace

void TestCommonDialog::filters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");

    QTest::newRow("map") << "Quelmar Map File (*.map)|*.map"
                         << "Quelmar Map File (*.map)";
    QTest::newRow("report") << "Quelmar Player File (*.pla)|*.pla"
                            << "Quelmar Player File (*.pla)";
    QTest::newRow("bitmap") << "Bitmaps (*.bmp)|*.bmp"
                            << "Bitmaps (*.bmp)";
    QTest::newRow("description without pattern") << "Maps|*.map"
                                                 << "Maps (*.map)";
    QTest::newRow("several patterns") << "Pictures|*.bmp;*.dib"
                                      << "Pictures (*.bmp *.dib)";
    QTest::newRow("two entries") << "Maps (*.map)|*.map|All files (*.*)|*.*"
                                 << "Maps (*.map);;All files (*.*)";
    QTest::newRow("none") << ""
                          << "";
}

void TestCommonDialog::filters()
{
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(toQtFilter(filter), qt);
}

void TestCommonDialog::openDialog()
{
    TestFiles files;
    const QString map = files.write("u.map", "Planet\tX\tY\tName\n");
    QtCommonDialog common;

    QString title;
    QStringList filters;
    whenShown<QFileDialog>(this, [&](QFileDialog *d) {
        title = d->windowTitle();
        filters = d->nameFilters();
        d->reject();
    });
    QCOMPARE(common.ShowOpen("Open Quelmar Map File", "Quelmar Map File (*.map)|*.map"),
             std::nullopt);
    QCOMPARE(title, QStringLiteral("Open Quelmar Map File"));
    QCOMPARE(filters, QStringList{"Quelmar Map File (*.map)"});

    whenShown<QFileDialog>(this, [&](QFileDialog *d) {
        d->selectFile(map);
        static_cast<QDialog *>(d)->accept(); // as the Save or Open button does
    });
    QCOMPARE(common.ShowOpen("Open Quelmar Map File", "Quelmar Map File (*.map)|*.map"),
             std::optional<QString>(map));

    // A folder the caller names wins over the last choice elsewhere; in the folder of the
    // last choice, that choice is offered again.
    TestFiles other;
    other.write("v.map", "Planet\tX\tY\tName\n");
    QString startedIn, offered;
    for (const QString &folder :
         {QFileInfo(other.path("v.map")).absolutePath(), QFileInfo(map).absolutePath()}) {
        whenShown<QFileDialog>(this, [&](QFileDialog *d) {
            startedIn = d->directory().absolutePath();
            offered = d->selectedFiles().value(0);
            d->reject();
        });
        common.ShowOpen("Open Quelmar Map File", "Quelmar Map File (*.map)|*.map", folder);
        QCOMPARE(startedIn, folder);
    }
    QCOMPARE(offered, map);
}

void TestCommonDialog::saveDialog()
{
    TestFiles files;
    files.write("keep.txt", "");
    const QString typed = files.path("chart"); // typed without an extension
    const QString title = QStringLiteral("Save Map as Bitmap");
    const QString filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp");
    QtCommonDialog common;

    QString firstOffer;
    whenShown<QFileDialog>(this, [&](QFileDialog *d) {
        firstOffer = d->selectedFiles().value(0);
        d->selectFile(typed);
        static_cast<QDialog *>(d)->accept(); // as the Save or Open button does
    });
    // A name typed without an extension gets the chosen filter's.
    QCOMPARE(common.ShowSave(title, filter), std::optional<QString>(typed + ".bmp"));
    QVERIFY(!firstOffer.endsWith(QLatin1String("chart")));

    // The second time it offers the name chosen the first time, selected, so that typing
    // replaces it; cancelling returns nothing.
    QString secondOffer, selectedText;
    QStringList filters;
    whenShown<QFileDialog>(this, [&](QFileDialog *d) {
        secondOffer = d->selectedFiles().value(0);
        if (auto *name = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            selectedText = name->selectedText();
        filters = d->nameFilters();
        d->reject();
    });
    QCOMPARE(common.ShowSave(title, filter), std::nullopt);
    QCOMPARE(secondOffer, typed + ".bmp");
    QCOMPARE(selectedText, QStringLiteral("chart.bmp"));
    QCOMPARE(filters, QStringList{"Bitmaps (*.bmp)"});
}

// With two filters the extension follows the one chosen; a name with an extension keeps it.
void TestCommonDialog::saveAddsTheChosenFiltersExtension()
{
    TestFiles files;
    files.write("keep.txt", "");
    const QString title = QStringLiteral("Save Map as Bitmap");
    const QString filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png");
    QtCommonDialog common;
    auto saveAs = [&](const QString &name, const QString &chosenFilter) {
        whenShown<QFileDialog>(this, [&](QFileDialog *d) {
            d->selectNameFilter(chosenFilter);
            d->selectFile(files.path(name));
            static_cast<QDialog *>(d)->accept();
        });
        return common.ShowSave(title, filter);
    };
    QCOMPARE(saveAs("chart", "PNG images (*.png)"), std::optional(files.path("chart.png")));
    QCOMPARE(saveAs("chart", "Bitmaps (*.bmp)"), std::optional(files.path("chart.bmp")));
    QCOMPARE(saveAs("chart.png", "Bitmaps (*.bmp)"), std::optional(files.path("chart.png")));
    QCOMPARE(saveAs("chart.BMP", "PNG images (*.png)"), std::optional(files.path("chart.BMP")));
    // Offered again, the last name comes with its own filter.
    QString shownFilter;
    whenShown<QFileDialog>(this, [&](QFileDialog *d) {
        shownFilter = d->selectedNameFilter();
        d->reject();
    });
    common.ShowSave(title, filter);
    QCOMPARE(shownFilter, QStringLiteral("Bitmaps (*.bmp)"));
}

void TestCommonDialog::saveAsksBeforeReplacing()
{
    TestFiles files;
    const QString existing = files.write("old.bmp", "BM");
    QtCommonDialog common;

    QString question;
    bool stillOpenAfterNo = false;
    whenShown<QFileDialog>(this, [&](QFileDialog *d) {
        d->selectFile(existing);
        whenShown<QMessageBox>(this, [&, d](QMessageBox *box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
            QTimer::singleShot(0, this, [&, d] {
                stillOpenAfterNo = d->isVisible();
                d->reject();
            });
        });
        static_cast<QDialog *>(d)->accept(); // as the Save or Open button does
    });
    QCOMPARE(common.ShowSave("Save Map as Bitmap", "Bitmaps (*.bmp)|*.bmp"), std::nullopt);
    QVERIFY2(question.contains(QLatin1String("old.bmp")), qPrintable(question));
    QVERIFY(stillOpenAfterNo);
}

void TestCommonDialog::colourDialog()
{
    QtCommonDialog common;

    // Red lives in the low byte of Kavora's colours.
    QColor shown;
    whenShown<QColorDialog>(this, [&](QColorDialog *d) {
        shown = d->currentColor();
        d->setCurrentColor(QColor(0x01, 0x02, 0x03));
        static_cast<QDialog *>(d)->accept(); // as the Save or Open button does
    });
    QCOMPARE(common.ShowColor(0x123456), std::optional<PackedColor>(0x030201));
    QCOMPARE(shown, QColor(0x56, 0x34, 0x12));

    whenShown<QColorDialog>(this, [](QColorDialog *d) { d->reject(); });
    QCOMPARE(common.ShowColor(0x123456), std::nullopt);
}

void TestCommonDialog::messageBox()
{
    QtCommonDialog common;
    QString title, text;
    QMessageBox::StandardButtons buttons;
    whenShown<QMessageBox>(this, [&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    common.message(QStringLiteral("Please open a map first."));
    QCOMPARE(title, QStringLiteral("Kavora for Quelmar"));
    QCOMPARE(text, QStringLiteral("Please open a map first."));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
